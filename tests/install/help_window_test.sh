#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts an installed program on a virtual X display from an empty directory,
# where there is no help.txt, presses the toolbar's help button and reads the
# help window's text through the clipboard: it must be the installed help.txt,
# shown with no error box. A screenshot is kept as help_window.png.
# Usage: help_window_test.sh <installed program> <artefact dir>
set -euo pipefail

here=$(dirname "$0")
source "$here/../../scripts/on_display.sh"
rerun_on_own_display "$@"
source "$here/../../scripts/wait_for.sh"
program=$1
artefacts=$2
help="$(dirname "$program")/../share/nonlinear-equations/help.txt"
export LC_ALL=C.UTF-8

readonly caption='Простейший математический пакет по решению нелинейных уравнений '
readonly error_caption='Решение нелинейных уравнений'
readonly client_height=356
readonly limit=30  # seconds for any one step, a busy machine included
empty=$(mktemp -d)
pid=
cleanup() {
  if [[ -n "$pid" ]]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$empty"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cd "$empty"
"$program" &
pid=$!
window=$(wait_for_window "$limit" "$caption" "$pid") || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
menu_height=$((HEIGHT - client_height))

# The help button lies at (39, 2), 23 x 22, on the toolbar under the menu.
xdotool mousemove --window "$window" $((39 + 11)) $((menu_height + 2 + 11)) click 1
help_window=
help_or_error_box() {
  help_window=$(windows_named 'Справка') || windows_named "$error_caption" >/dev/null
}
wait_until "$limit" "the help window or an error box" help_or_error_box ||
  fail "no help window; visible: $(visible_window_names)"
[[ -n "$help_window" ]] || fail "expected the help window, saw an error box: $(visible_window_names)"
help_window=${help_window%%$'\n'*}
import -window root "$artefacts/help_window.png"

# The text box has the focus in a newly opened help window. The keys are
# pressed again until the clipboard answers: the window may take them only
# once it has the focus, and the clipboard changes hands asynchronously.
xdotool windowfocus --sync "$help_window"
shown=
copy_help() {
  xdotool key --clearmodifiers ctrl+a ctrl+c
  shown=$(xclip -o -selection clipboard 2>/dev/null) && [[ -n "$shown" ]]
}
wait_until "$limit" "the help text in the clipboard" copy_help ||
  fail "nothing copied from the help window"
expected=$(tr -d '\r' < "$help")
[[ "$shown" == "$expected" ]] ||
  fail "expected the help window to show $help, saw: ${shown:0:80}..."
echo "ok: the help from $help, started in an empty directory, no error box"
