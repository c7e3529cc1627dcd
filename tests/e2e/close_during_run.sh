#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Closes the main window, by the close request a window manager sends, while
# a comparison run that ends in an error is under way (close_during_run_driver
# holds the run until the request has arrived). The window must stay on the
# screen until the run has returned, the run's error box must appear over it,
# a second close request while the box is open must do no harm, and once the
# box is closed it must go and the program must end with status 0.
# Usage: close_during_run.sh <driver> <send_close_request> <artefact dir>
set -euo pipefail

here=$(dirname "$0")
source "$here/../../scripts/on_display.sh"
rerun_on_own_display "$@"
source "$here/../../scripts/wait_for.sh"
driver=$1
send_close_request=$2
artefacts=$3
mkdir -p "$artefacts"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

readonly main_caption='Простейший математический пакет по решению нелинейных уравнений '
readonly box_caption='Решение нелинейных уравнений'
readonly limit=30  # seconds for any one step, a busy machine included

# The driver's PID and pipes are kept here: bash unsets the coprocess's own
# variables as soon as it ends, which is exactly when the last checks run.
driver_pid=
stop_driver() {
  [[ -n "$driver_pid" ]] || return 0
  kill "$driver_pid" 2>/dev/null || true
  wait "$driver_pid" 2>/dev/null || true
  driver_pid=
}
trap stop_driver EXIT

# Stops the driver before this script ends, so the X server is never torn
# down under it.
fail() {
  echo "FAIL: $*" >&2
  stop_driver
  exit 1
}

# Reads the driver's next line into the named variables, or fails saying
# what was awaited.
from_driver() {
  local what=$1
  shift
  read -r -t "$limit" "$@" <&"$driver_out" ||
    fail "the driver said nothing within $limit s; expected $what"
}

coproc DRIVER { exec "$driver"; }
driver_pid=$DRIVER_PID
exec {driver_in}>&"${DRIVER[1]}" {driver_out}<&"${DRIVER[0]}"

from_driver "'running <window id>'" word window
[[ $word == running ]] || fail "expected 'running <window id>' from the driver, saw '$word $window'"
"$send_close_request" "$window" || fail "could not send WM_DELETE_WINDOW to $window"
echo sent >&"$driver_in"
from_driver "'closed <visible>'" word shown
[[ "$word $shown" == "closed 1" ]] ||
  fail "expected 'closed 1' (the main window still shown after the close request), saw '$word $shown'"
echo "ok: the main window stays on the screen after the close during the run"

box=$(wait_for_window "$limit" "$box_caption" "$driver_pid") || fail "no error box after the run failed"
windows_named "$main_caption" >/dev/null ||
  fail "expected the main window behind the error box; visible: $(visible_window_names)"
import -window root "$artefacts/close_during_run.png"
echo "ok: the error box shows over the main window"

"$send_close_request" "$window" || fail "could not send the second WM_DELETE_WINDOW to $window"
from_driver "'closed <visible>' after the second close request" word shown
[[ "$word $shown" == "closed 1" ]] ||
  fail "expected 'closed 1' after a close request with the error box open, saw '$word $shown'"
kill -0 "$driver_pid" 2>/dev/null || fail "the program ended with its error box open"
windows_named "$box_caption" >/dev/null ||
  fail "expected the error box to stay after the second close request; visible: $(visible_window_names)"
echo "ok: a second close request with the error box open does no harm"

"$send_close_request" "$box" || fail "could not close the error box $box"
wait_for_window_gone "$limit" "$box_caption" || fail "the error box stays after its close request"
wait_for_exit "$limit" "$driver_pid" || fail "the program did not end after its error box was closed"
status=0
wait "$driver_pid" || status=$?
driver_pid=
((status == 0)) || fail "expected exit status 0 after the error box was closed, saw $status"
echo "ok: the error box went, and the program ended with status 0"
