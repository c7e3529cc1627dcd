#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts an installed program on a virtual X display from an empty directory,
# where there is no help.txt, presses the toolbar's help button and reads the
# help window's text through the clipboard: it must be the installed help.txt,
# shown with no error box. A screenshot is kept as help_window.png.
# Usage: help_window_test.sh <installed program> <artefact dir>
set -euo pipefail

source "$(dirname "$0")/../../scripts/on_display.sh"
rerun_on_own_display "$@"
program=$1
artefacts=$2
help="$(dirname "$program")/../share/nonlinear-equations/help.txt"
export LC_ALL=C.UTF-8

readonly caption='Простейший математический пакет по решению нелинейных уравнений '
readonly error_caption='Решение нелинейных уравнений'
readonly client_height=356
empty=$(mktemp -d)
pid=

fail() {
  echo "FAIL: $*" >&2
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  rm -rf "$empty"
  exit 1
}

# Prints the id of the first visible window whose whole name is $1, waiting up
# to 30 s while the program runs; fails when an error box shows instead.
wait_for_window() {
  local id
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    xdotool search --onlyvisible --name "^${error_caption}\$" > /dev/null 2>&1 && return 2
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

cd "$empty"
"$program" &
pid=$!
window=$(wait_for_window "$caption") || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
menu_height=$((HEIGHT - client_height))

# The help button lies at (39, 2), 23 x 22, on the toolbar under the menu.
xdotool mousemove --window "$window" $((39 + 11)) $((menu_height + 2 + 11)) click 1
status=0
help_window=$(wait_for_window 'Справка') || status=$?
((status != 2)) || fail "an error box instead of the help: $(xdotool search --onlyvisible \
  --name "^${error_caption}\$" getwindowname 2>/dev/null)"
((status == 0)) || fail "no help window"
import -window root "$artefacts/help_window.png"

# The text box has the focus in a newly opened help window.
xdotool windowfocus --sync "$help_window"
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 0.5
shown=$(xclip -o -selection clipboard) || fail "nothing copied from the help window"
expected=$(tr -d '\r' < "$help")
[[ "$shown" == "$expected" ]] || fail "the help window does not show $help (it shows: ${shown:0:80}...)"
echo "ok: the help from $help, started in an empty directory, no error box"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
rm -rf "$empty"
