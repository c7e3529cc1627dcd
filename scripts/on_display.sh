# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that drive real windows.

# Runs a command on an X server of its own, NLE_SCREEN wide and high
# (1024x768 unless set). The server picks a free display number itself and
# names it only once it accepts connections (-displayfd), so servers started
# side by side, or while another shuts down, never meet; it takes local
# connections without a cookie, so no authority file can time out under load.
# -noreset: by default the server resets whenever its last client leaves and
# refuses connections meanwhile, so a script that starts the program a second
# time after the first has ended would meet a closed door.
own_display() {
  local number_file display server status=0
  number_file=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "${NLE_SCREEN:-1024x768}x24" \
    3>"$number_file" 2>/dev/null &
  server=$!
  for _ in $(seq 1 300); do
    [[ -s "$number_file" ]] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  display=$(tr -d '[:space:]' < "$number_file")
  rm -f "$number_file"
  if [[ -z "$display" ]]; then
    kill "$server" 2>/dev/null || true
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$display" XAUTHORITY=/dev/null "$@" || status=$?
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  return "$status"
}

# Runs the calling script again, with the arguments given, on an X server of
# its own; returns at once when already there.
rerun_on_own_display() {
  [[ -n "${NLE_ON_DISPLAY:-}" ]] && return
  NLE_ON_DISPLAY=1 own_display bash "$0" "$@"
  exit
}
