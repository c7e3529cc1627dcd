#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A hostile user for a while: random clicks, double clicks, right clicks and
# keys on the program built under AddressSanitizer and UndefinedBehaviorSanitizer
# (the sanitize-ui preset), on an X server of its own under Openbox. Besides
# the blind actions it runs the comparison (F5), opens detail windows from
# the results table, and closes windows from outside (wmctrl -c, as a pager
# or the title bar's button does) while one of their context menus is open.
# It also pastes formulas into the typed-equation window, long ones among
# them (a thousand characters whose derivative runs to thousands more), and
# solves them, at times at the caps, at times stopping the solve with Escape
# or by closing the window. Twice a second a window manager's ping asks the
# program's windows whether they answer (build/tests/e2e/ping_window, or
# $NLE_PING_WINDOW). The program is started again whenever it ends. A
# finding is a sanitizer report, an end other than a clean exit, or a window
# that did not answer within a second. Not part of the test command.
# Usage: scripts/random_actions.sh [seconds (900)] [program]
# Prints the figures at the end; keeps the logs in $NLE_RANDOM_LOGS (or a
# fresh temporary folder, named at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/on_display.sh
export NLE_SCREEN=${NLE_SCREEN:-1280x1024}
rerun_on_own_display "$@"
source scripts/wait_for.sh

seconds=${1:-900}
program=$(realpath "${2:-build-sanitize-ui/ui/nonlinear-equations}")
pinger=$(realpath "${NLE_PING_WINDOW:-build/tests/e2e/ping_window}")
suppressions=$(realpath tests/ui/toolkit_leaks.supp)
logs=${NLE_RANDOM_LOGS:-$(mktemp -d)}
mkdir -p "$logs/work"
cp help.txt "$logs/work/"  # read from the current folder; saved files land there too
cd "$logs/work"

export LC_ALL=C.UTF-8
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:malloc_context_size=2:log_path=$logs/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0"

readonly main_caption='Простейший математический пакет по решению нелинейных уравнений '
readonly own_caption='Своё уравнение f(x) = 0'
readonly hang_ms=1000
actions=0 starts=0 findings=0 menu_closes=0 details=0 runs=0 typed=0 stops=0
pid= wm= pinging=

openbox >/dev/null 2>&1 &
wm=$!
# Under `set -e` a failing command would end this handler early, so none
# may fail.
stop_all() {
  if [[ -n "$pinging" ]]; then kill "$pinging" 2>/dev/null || true; fi
  if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; fi
  kill "$wm" 2>/dev/null || true
}
trap stop_all EXIT
wm_runs() { wmctrl -m >/dev/null 2>&1; }
wait_until 10 "Openbox to answer wmctrl -m" wm_runs || echo "going on without a window manager"

main_window() { (windows_named "$main_caption" || true) | head -n 1; }

# Starts the program and waits for its main window; a program that ends
# first is collected by the main loop.
start_program() {
  ((++starts))
  "$program" >"$logs/output.$starts" 2>&1 &
  pid=$!
  wait_for_window 60 "$main_caption" "$pid" >/dev/null || true
}

# How the program ended: 0 is a clean exit, anything else (an abort, a
# signal) a finding; so is every sanitizer log.
collect_end() {
  local status=0
  wait "$pid" || status=$?
  if ((status != 0)); then
    ((++findings))
    echo "finding: start $starts ended with status $status (log $logs/output.$starts)"
  fi
  pid=
}

random_point() { echo $((RANDOM % ${NLE_SCREEN%x*})) $((RANDOM % ${NLE_SCREEN#*x})); }

keys=(Return Escape Tab shift+Tab space Menu shift+F10 F1 F5 ctrl+c ctrl+a ctrl+s Down Up Left
      Right Home End BackSpace Delete alt+F4 minus comma period 1 0 9 e)
texts=("1" "-1" "1e308" "0,001" "abc" "‏-1" "שלום" "مرحبا" "1e-320" "2")

# Formulas for the typed-equation window: usual ones, and long ones at the
# length limit whose derivatives run to thousands of characters.
repeat_to_limit() { # start, piece: the start and as many pieces as fit in 1,000 characters
  local text=$1
  while ((${#text} + ${#2} <= 1000)); do text+=$2; done
  echo "$text"
}
nested=x
for _ in $(seq 12); do nested="sin($nested)"; done
formulas=("x^3-2*x-5" "e^x-3*x" "x-cos(x)" "(x-1)^2" "$nested-0.5"
          "$(repeat_to_limit 'sin(x)' '/sin(x)')" "$(repeat_to_limit 'x' '*sin(x)')"
          "$(repeat_to_limit 'x^2+1+0.000001*cos(x)' '*sin(x)')"
          "$(printf '7%.0s' $(seq 300))*x-1" "$(repeat_to_limit 'x-1' '+x^2*0')")

# Asks each of the program's windows twice a second whether it answers; a
# window that takes longer than hang_ms and still exists is a hang.
ping_windows() {
  local window took
  while :; do
    for window in $(windows_named "$main_caption" 2>/dev/null) \
                  $(windows_named "$own_caption" 2>/dev/null); do
      if took=$("$pinger" "$window" "$hang_ms"); then
        echo "$took" >>"$logs/pings"
      elif xwininfo -id "$window" >/dev/null 2>&1; then
        echo "hang: window $window, ping answer (ms): $took, at $(date +%T)" >>"$logs/hangs"
      fi
    done
    sleep 0.5
  done
}

# Opens the context menu of a detail window's table or plot, then has the
# window manager close that window while the menu is open.
close_detail_window_with_menu_open() {
  local window
  window=$(xdotool search --onlyvisible --name '^Итерации' 2>/dev/null | shuf -n 1 || true)
  [[ -z "$window" ]] && return 0
  xdotool windowactivate --sync "$window" 2>/dev/null || return 0
  eval "$(xdotool getwindowgeometry --shell "$window")"
  if ((RANDOM % 2)); then
    xdotool mousemove $((X + RANDOM % WIDTH)) $((Y + RANDOM % HEIGHT)) click 3
  else
    xdotool key Menu
  fi
  sleep 0.$((RANDOM % 5))
  wmctrl -i -c "$window" 2>/dev/null || true
  ((++menu_closes))
}

# A double click where the results table's method rows are.
open_detail_window() {
  local window
  window=$(main_window)
  [[ -z "$window" ]] && return 0
  xdotool windowactivate --sync "$window" 2>/dev/null || return 0
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 10 + RANDOM % 400)) $((Y + 245 + RANDOM % 110)) click --repeat 2 1
  ((++details))
}

# The typed-equation window with a formula of the list pasted in, solved;
# at times at the caps, at times stopped by Escape or by closing the window.
solve_typed_equation() {
  local window own
  window=$(main_window)
  [[ -z "$window" ]] && return 0
  xdotool windowactivate --sync "$window" 2>/dev/null || return 0
  xdotool key ctrl+n
  own=$(wait_for_window 3 "$own_caption" "$pid" 2>/dev/null) || return 0
  xdotool windowactivate --sync "$own" 2>/dev/null || return 0
  printf '%s' "${formulas[RANDOM % ${#formulas[@]}]}" |
    xclip -selection clipboard -loops 1 >/dev/null 2>&1
  xdotool key --delay 50 Home ctrl+a ctrl+v
  if ((RANDOM % 2)); then
    xdotool key alt+Cyrillic_te ctrl+a && xdotool type -- "-1"
  fi
  xdotool key alt+Cyrillic_er
  ((++typed))
  sleep 0.$((RANDOM % 8))
  case $((RANDOM % 3)) in
    0) xdotool key Escape && ((++stops)) ;;
    1) wmctrl -i -c "$own" 2>/dev/null && ((++stops)) ;;
    *) ;;
  esac
}

act() {
  case $((RANDOM % 22)) in
    0 | 1 | 2) xdotool mousemove $(random_point) click 1 ;;
    3) xdotool mousemove $(random_point) click --repeat 2 1 ;;
    4) xdotool mousemove $(random_point) click 3 ;;
    5 | 6 | 7) xdotool key "${keys[RANDOM % ${#keys[@]}]}" ;;
    8) xdotool type -- "${texts[RANDOM % ${#texts[@]}]}" ;;
    9) xdotool key F5 && ((++runs)) ;;
    10 | 11 | 12) open_detail_window ;;
    13 | 14 | 15) close_detail_window_with_menu_open ;;
    16) # a window of any kind, closed from outside
      local window
      window=$(xdotool search --onlyvisible --name . 2>/dev/null | shuf -n 1 || true)
      [[ -n "$window" && $((RANDOM % 4)) == 0 ]] && wmctrl -i -c "$window" 2>/dev/null || true ;;
    17) xdotool key Escape ;;
    18) xdotool key --delay 50 F5 && ((++runs)) && open_detail_window ;;
    19) sleep 0.5 ;;
    20 | 21) solve_typed_equation ;;
  esac
}

ping_windows &
pinging=$!
start_program
deadline=$((SECONDS + seconds))
while ((SECONDS < deadline)); do
  if ! kill -0 "$pid" 2>/dev/null; then
    collect_end
    start_program
  fi
  act || true
  ((++actions))
  sleep 0.0$((RANDOM % 10))
done

# A clean close at the end, so that LeakSanitizer checks this run too.
if kill -0 "$pid" 2>/dev/null; then
  # Visible or not: a random click may have minimized it.
  window=$(xdotool search --name "^$main_caption\$" 2>/dev/null | head -n 1 || true)
  echo "at the end: $(visible_window_names)"
  # A modal box left open keeps the main window from closing: the other
  # windows go first, a few rounds, as a box may stand over another.
  for _ in 1 2 3; do
    for other in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      [[ "$other" == "$window" ]] && continue
      [[ "$(xdotool getwindowname "$other" 2>/dev/null)" == Openbox ]] && continue
      wmctrl -i -c "$other" 2>/dev/null || true
    done
    sleep 1
  done
  if [[ -n "$window" ]]; then wmctrl -i -c "$window" 2>/dev/null || true; fi
  if ! wait_for_exit 30 "$pid" 2>/dev/null; then
    xdotool key Escape key Return || true  # a box left open
  fi
  if ! wait_for_exit 30 "$pid"; then
    echo "the last program did not end on its close request; stopped"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
  else
    collect_end
  fi
fi

kill "$pinging" 2>/dev/null || true
wait "$pinging" 2>/dev/null || true
pinging=
hangs=0
if [[ -s "$logs/hangs" ]]; then
  hangs=$(wc -l <"$logs/hangs")
  ((findings += hangs))
  echo "finding: windows that did not answer within $hang_ms ms:"
  head -n 20 "$logs/hangs"
fi
pings=0 slowest=0
if [[ -s "$logs/pings" ]]; then
  pings=$(wc -l <"$logs/pings")
  slowest=$(sort -n "$logs/pings" | tail -n 1)
fi

for report in "$logs"/asan.* "$logs"/ubsan.*; do
  [[ -e "$report" ]] || continue
  ((++findings))
  echo "finding: sanitizer report $report"
  head -n 20 "$report"
done
echo "seconds $seconds, actions $actions, program starts $starts, runs asked $runs," \
  "detail windows asked $details, closes with a menu open $menu_closes," \
  "typed equations solved $typed (stopped $stops), pings answered $pings (slowest $slowest ms)," \
  "hangs $hangs, findings $findings"
echo "logs: $logs"
((findings == 0))
