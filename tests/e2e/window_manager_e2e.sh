#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the main window under real X11 window managers, each on its own
# virtual display with its own session bus (xfwm4 reads its settings over
# it): Openbox, then xfwm4. Under each, the window manager must accept the
# maximize request, and the maximized window must give all the extra height
# to the results table. Under Openbox, screenshots are also kept of runs
# at scale factors 1.5 and 2, at a 16-point system font and under a dark palette,
# each after F5 has computed the design defaults; the dark run also opens
# the help window with F1.
# Usage: window_manager_e2e.sh <main_window_driver> <artefact dir> <help.txt dir>
set -euo pipefail

here=$(dirname "$0")
source "$here/../../scripts/wait_for.sh"
if [[ "${1:-}" != --on-display ]]; then
  source "$here/../../scripts/on_display.sh"
  mkdir -p "$2"
  for wm in openbox xfwm4; do
    NLE_SCREEN=1280x1024 own_display dbus-run-session -- \
      bash "$0" --on-display "$wm" "$1" "$2" "$3" 2> >(grep -v 'fd limit' >&2)
  done
  exit 0
fi
wm=$2
driver=$3
artefacts=$4
cd "$5"  # the program reads help.txt from its current directory
export LC_ALL=C.UTF-8

readonly caption='Простейший математический пакет по решению нелинейных уравнений '
readonly help_caption='Справка'
readonly fastest='Самый быстрый метод для данного уравнения - Метод хорд'
readonly toolbar_height=34 group_box_height=167 grid_height=136
readonly limit=30  # seconds for any one step, a busy machine included
wm_pid= driver_pid=
sizes=$(mktemp)
# Under `set -e` a failing command would end this handler early and turn a
# pass into status 1, so none may fail.
cleanup() {
  if [[ -n "$driver_pid" ]]; then kill "$driver_pid" 2>/dev/null || true; fi
  if [[ -n "$wm_pid" ]]; then kill "$wm_pid" 2>/dev/null || true; fi
  rm -f "$sizes"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($wm): $*" >&2
  exit 1
}

start_window_manager() {
  case $wm in
    openbox) openbox >/dev/null 2>&1 & ;;
    xfwm4) xfwm4 --compositor=off >/dev/null 2>&1 & ;;
  esac
  wm_pid=$!
  wm_runs() { wmctrl -m >/dev/null 2>&1; }
  wait_until "$limit" "$wm to answer wmctrl -m" wm_runs || fail "the window manager did not start"
}

# Whether the window manager lists $window among the windows it manages.
managed() {
  local listed
  listed=$(wmctrl -l 2>/dev/null) || return 1
  [[ $'\n'$listed == *$'\n'"$(printf '0x%08x' "$window") "* ]]
}

# Starts the driver with the given environment and options and sets $window
# once the window manager has taken the window over.
start_driver() {
  env "$@" "$driver" ${DRIVER_OPTIONS:-} >"$sizes" &
  driver_pid=$!
  window=$(wait_for_window "$limit" "$caption" "$driver_pid") || fail "no main window"
  wait_until "$limit" "$wm to manage the window $window" managed ||
    fail "the window manager does not list the main window; it lists: $(wmctrl -l 2>&1)"
}

stop_driver() {
  kill "$driver_pid" 2>/dev/null || true
  wait "$driver_pid" 2>/dev/null || true
  driver_pid=
}

# The driver's last line: window H menu H status H grid H.
last_sizes() { tail -n 1 "$sizes"; }

check_maximize() {
  start_driver
  import -window root "$artefacts/$wm-normal.png"
  wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz || fail "wmctrl was refused"
  local state=
  maximized() {
    state=$(xprop -id "$window" _NET_WM_STATE)
    [[ $state == *MAXIMIZED_VERT* && $state == *MAXIMIZED_HORZ* ]]
  }
  wait_until "$limit" "both maximized states" maximized ||
    fail "expected the window maximized, saw: $state"
  local window_height=0 menu=0 status=0 grid=0
  table_grew() {
    read -r _ window_height _ menu _ status _ grid _ <<<"$(last_sizes) x 0 x 0 x 0 x 0"
    ((grid > grid_height))
  }
  wait_until "$limit" "the table to grow beyond $grid_height pixels" table_grew ||
    fail "expected the table to grow, saw: $(last_sizes)"
  ((grid == window_height - menu - toolbar_height - group_box_height - status)) ||
    fail "expected the table to take all the extra height, saw: $(last_sizes)"
  import -window root "$artefacts/$wm-maximized.png"
  echo "ok ($wm): maximized, window $window_height high, table $grid high"
  stop_driver
}

# A screenshot of a run in the given look, for a person to look at, after
# the given keys: F5 computes the design defaults, whose status line the
# driver reports once it is painted; F1 opens the help window. The picture
# is taken when both are on the screen, and must be a picture of it.
keep_screenshot() {
  local name=$1 keys=$2
  shift 2
  start_driver "$@"
  xdotool windowactivate --sync "$window" key --delay 300 $keys
  local expected="status $fastest"
  status_painted() { grep -qxF "$expected" "$sizes"; }
  wait_until "$limit" "the status line '$fastest' painted" status_painted ||
    fail "$name: no status line '$fastest'; the driver said: $(cat "$sizes")"
  if [[ " $keys " == *" F1 "* ]]; then
    wait_for_window "$limit" "$help_caption" "$driver_pid" >/dev/null ||
      fail "$name: F1 opened no help window"
  fi
  import -window root "$artefacts/$name.png"
  local size
  size=$(identify -format '%wx%h' "$artefacts/$name.png" 2>/dev/null) ||
    fail "$name: the screenshot is no picture"
  [[ $size == "$NLE_SCREEN" ]] || fail "$name: the screenshot is $size, not $NLE_SCREEN"
  stop_driver
  echo "ok ($wm): screenshot $name.png"
}

start_window_manager
check_maximize
if [[ $wm == openbox ]]; then
  keep_screenshot scale-1.5 F5 QT_SCALE_FACTOR=1.5
  keep_screenshot scale-2 F5 QT_SCALE_FACTOR=2
  DRIVER_OPTIONS="--points 16" keep_screenshot font-16pt F5
  DRIVER_OPTIONS=--dark keep_screenshot dark-palette "F5 F1"
fi
