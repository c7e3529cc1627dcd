#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Closes the main window, by the close request a window manager sends, while
# a comparison run that ends in an error is under way (close_during_run_driver
# holds the run until the request has arrived). The window must stay on the
# screen until the run has returned, the run's error box must appear over it,
# a second close request while the box is open must do no harm, and once the
# box is closed the program must end with status 0, leaving no box behind.
# Usage: close_during_run.sh <driver> <send_close_request> <artefact dir>
set -euo pipefail

source "$(dirname "$0")/../../scripts/on_display.sh"
rerun_on_own_display "$@"
driver=$1
send_close_request=$2
artefacts=$3
mkdir -p "$artefacts"
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

readonly main_caption='Простейший математический пакет по решению нелинейных уравнений '
readonly box_caption='Решение нелинейных уравнений'

fail() {
  echo "FAIL: $*" >&2
  kill "$DRIVER_PID" 2>/dev/null || true
  exit 1
}

# The visible window of the driver captioned exactly $1. Compared here, as
# xdotool's own pattern matching takes the Cyrillic captions for one another.
visible() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$DRIVER_PID" 2>/dev/null || true); do
    [[ "$(xdotool getwindowname "$window" 2>/dev/null)" == "$1" ]] && echo "$window" && return
  done
}

coproc DRIVER { exec "$driver"; }
read -r -t 30 word window <&"${DRIVER[0]}" || fail "the run did not start"
[[ $word == running ]] || fail "unexpected '$word' from the driver"
"$send_close_request" "$window" || fail "could not send WM_DELETE_WINDOW"
echo sent >&"${DRIVER[1]}"
read -r -t 30 word shown <&"${DRIVER[0]}" || fail "the close request did not arrive"
[[ $shown == 1 ]] || fail "the close hid the main window during the run"
echo "ok: the main window stays on the screen after the close during the run"

box=
for _ in $(seq 1 100); do
  box=$(visible "$box_caption")
  [[ -n "$box" ]] && break
  sleep 0.1
done
[[ -n "$box" ]] || fail "no error box after the run failed"
[[ -n "$(visible "$main_caption")" ]] || fail "the error box has no main window behind it"
import -window root "$artefacts/close_during_run.png"
echo "ok: the error box shows over the main window"

"$send_close_request" "$window" || fail "could not send the second WM_DELETE_WINDOW"
sleep 0.5
kill -0 "$DRIVER_PID" 2>/dev/null || fail "the program ended with its error box open"
"$send_close_request" "$box" || fail "could not close the error box"

pid=$DRIVER_PID
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after its error box was closed"
status=0
wait "$pid" || status=$?
[[ $status -eq 0 ]] || fail "exit status $status"
[[ -z "$(visible "$box_caption")" ]] || fail "an error box is left"
echo "ok: exit status 0 after the error box was closed, no box left"
