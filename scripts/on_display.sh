# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that drive real windows.

# Runs a command on an X server of its own, NLE_SCREEN wide and high
# (1024x768 unless set). xvfb-run -a takes the first free display number from
# the one it is given; starting from a random one keeps two servers started at
# nearly the same moment, or one started while another shuts down, off each
# other's number.
own_display() {
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 ${NLE_SCREEN:-1024x768}x24" "$@"
}

# Runs the calling script again, with the arguments given, on an X server of
# its own; returns at once when already there.
rerun_on_own_display() {
  [[ -n "${NLE_ON_DISPLAY:-}" ]] && return
  NLE_ON_DISPLAY=1 own_display bash "$0" "$@"
  exit
}
