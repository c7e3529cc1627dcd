#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshot of a detail window that the README shows: starts the
# real program on its own virtual X display with a Russian decimal comma,
# clicks "Вычислить", double-clicks a row of the results table with xdotool,
# waits for the window "Итерации: ..." and saves that window as a PNG. Fails
# when the window does not open, so the end-to-end test runs it too.
# Usage: screenshot-detail-window.sh [program] [output.png] [table row 1-4]
# (defaults: build/ui/nonlinear-equations, docs/screenshots/detail_window.png,
# row 2, the tangents on the default equation). QT_SCALE_FACTOR passes through
# and scales the clicks; NLE_SCREEN sets the screen (1280x1024 by default).
set -euo pipefail

NLE_SCREEN=${NLE_SCREEN:-1280x1024}
source "$(dirname "$0")/on_display.sh"
rerun_on_own_display "$@"
source "$(dirname "$0")/wait_for.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/ui/nonlinear-equations}")
output=$(realpath -m "${2:-$root/docs/screenshots/detail_window.png}")
row=${3:-2}

readonly caption='Простейший математический пакет по решению нелинейных уравнений '
readonly client_height=356 toolbar_height=34 group_box_height=167 row_height=25
readonly status_height=19
readonly limit=30  # seconds for any one step, a busy machine included
work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A design coordinate in the screen's pixels.
scaled() { awk -v v="$1" -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", v * s }'; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The design's precision "0,001" and the table's roots read best with the
# decimal comma of a Russian locale, built here as the machine may lack it.
locale_env=(LC_ALL=C.UTF-8)
mkdir -p "$work/locale"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null 2>&1 || true
if [[ -f "$work/locale/ru_RU.UTF-8/LC_NUMERIC" ]]; then
  locale_env=(LOCPATH="$work/locale" LC_ALL= LANG=C.UTF-8 LC_NUMERIC=ru_RU.UTF-8)
fi

# A window of the size its font gives, whatever an earlier session remembered.
export XDG_CONFIG_HOME="$work/config"

# The program reads help.txt from its current directory.
(cd "$root" && exec env "${locale_env[@]}" "$program") &
pid=$!
main=$(wait_for_window "$limit" "$caption" "$pid") || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$main")"  # X Y WIDTH HEIGHT
menu_height=$((HEIGHT - $(scaled $client_height)))

# The run writes its status text into the status bar along the bottom edge
# when it ends; the table is filled by then.
status_bar() { region_hash "$main" "${WIDTH}x$(scaled $status_height)+0+$((HEIGHT - $(scaled $status_height)))"; }
before=$(status_bar)
# "Вычислить" at (8, 136), 121 x 25, in the group box under the toolbar.
xdotool mousemove --window "$main" "$(scaled 68)" $((menu_height + $(scaled $((toolbar_height + 148))))) click 1
status_changed() { [[ $(status_bar) != "$before" ]]; }
wait_until "$limit" "the status bar to change" status_changed ||
  fail "expected a status text after the click on \"Вычислить\""
# The method's name cell in the chosen row of the table under the group box.
grid_top=$((toolbar_height + group_box_height))
xdotool mousemove --window "$main" "$(scaled 60)" \
  $((menu_height + $(scaled $((grid_top + row * row_height + 12))))) click --repeat 2 --delay 80 1
details=$(wait_for_window "$limit" 'Итерации: *' "$pid") ||
  fail "no detail window after the double click on row $row"
sleep 1.5  # the charts lay out and paint
mkdir -p "$(dirname "$output")"
import -window "$details" "$output"
echo "ok: '$(xdotool getwindowname "$details")' saved as $output"
