#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The splash on a real X server of its own: a screenshot shows the
# picture with the white title, and the fade reaches the server step by step:
# xev, from this second process, sees the window's _NET_WM_WINDOW_OPACITY
# change many times, not only to its end value, and that value is 0. (Which
# values the steps set is the window tests' concern, tests/ui/splash_test.cpp.)
# Usage: splash_fade.sh <splash_driver> <directory for the artefacts>
set -euo pipefail
NLE_SCREEN=1280x1024
here=$(dirname "$0")
source "$here/../../scripts/on_display.sh"
rerun_on_own_display "$@"
source "$here/../../scripts/wait_for.sh"
driver=$1
out=$2
mkdir -p "$out"
screenshot="$out/splash_screenshot.png"
events_log="$out/splash_property_events.log"
readonly limit=30  # seconds for any one step, a busy machine included

# The driver's PID and pipes are kept here: bash unsets the coprocess's own
# variables as soon as it ends.
splash_pid= spy=
# Under `set -e` a failing command would end this handler early, so none
# may fail.
stop_all() {
  if [[ -n "$spy" ]]; then kill "$spy" 2>/dev/null || true; fi
  if [[ -n "$splash_pid" ]]; then
    kill "$splash_pid" 2>/dev/null || true
    wait "$splash_pid" 2>/dev/null || true
  fi
}
trap stop_all EXIT

fail() {
  echo "FAIL: $*" >&2
  stop_all
  exit 1
}

coproc SPLASH { QT_QPA_PLATFORM=xcb exec "$driver"; }
splash_pid=$SPLASH_PID
exec {splash_in}>&"${SPLASH[1]}" {splash_out}<&"${SPLASH[0]}"
read -r -t "$limit" window x y width height <&"$splash_out" ||
  fail "the splash did not show: the driver said nothing within $limit s"
echo "splash window $window at $x,$y, $width x $height"

# A splash window: window managers give it no taskbar entry.
type=$(xprop -id "$window" _NET_WM_WINDOW_TYPE)
[[ $type == *_NET_WM_WINDOW_TYPE_SPLASH* ]] || fail "expected a splash window type, saw: $type"

# The splash is painted and flushed before the sleep starts: the screenshot
# is taken during the sleep.
import -window root "$screenshot"
convert "$screenshot" -crop "${width}x${height}+${x}+${y}" +repage "$out/splash_window.png"

# The fraction of near-white pixels in a strip of the splash.
white_in() {
  convert "$out/splash_window.png" -crop "$1" +repage -colorspace gray -threshold 85% \
    -format '%[fx:mean]' info:
}
title=$(white_in 537x16+16+48)
below=$(white_in 537x16+16+110)
blue=$(convert "$out/splash_window.png" -format '%[fx:mean.b > mean.r + 0.1 ? 1 : 0]' info:)
echo "white in the title strip: $title, in a strip below it: $below; mostly blue: $blue"
[[ $blue == 1 ]] ||
  fail "expected a mostly blue picture in the screenshot, saw $(convert "$out/splash_window.png" \
    -format 'mean red %[fx:mean.r], blue %[fx:mean.b]' info:)"
awk -v t="$title" -v b="$below" 'BEGIN { exit !(t > 0.05 && t > 3 * b) }' ||
  fail "expected a white title: over 5 % white, and 3 times the strip below; saw $title and $below"

# A PropertyNotify event carries no value, only the server's time of the
# change, and the server queues every one for xev however busy the machine.
# (A value read back on each event, as xprop -spy does, is often already
# the last one when the reader runs late.)
stdbuf -oL xev -id "$window" -event property > "$events_log" &
spy=$!
# marks NAME: how often xev has reported a change of the property NAME.
marks() { grep -c "($1)" "$events_log" || true; }
# mark NAME: sets the property NAME on the window and waits until xev
# reports it; as the server delivers events in order, xev has then reported
# everything before it. It is set again until xev reports it, as xev listens
# only a while after it has started; so the first mark may be reported more
# than once.
mark() {
  local name=$1 before
  before=$(marks "$name")
  set_mark() {
    xprop -id "$window" -f "$name" 32c -set "$name" 1 && (($(marks "$name") > before))
  }
  wait_until "$limit" "xev to report $name" set_mark ||
    fail "xev does not follow the splash's properties; its log: $(tail -c 300 "$events_log")"
}
mark _NLE_LISTENING

echo go >&"$splash_in"
read -r -t "$limit" faded <&"$splash_out" ||
  fail "the fade did not end: the driver said nothing within $limit s"
[[ $faded == faded ]] || fail "expected 'faded' from the driver, saw '$faded'"
mark _NLE_FADED
final=$(xprop -id "$window" _NET_WM_WINDOW_OPACITY)
echo quit >&"$splash_in"
wait_for_exit "$limit" "$splash_pid" || fail "the driver did not end after 'quit'"
status=0
wait "$splash_pid" || status=$?
splash_pid=
((status == 0)) || fail "expected exit status 0 from the driver, saw $status"

# The server times of the opacity changes after the last _NLE_LISTENING,
# which the server handled before "go", up to _NLE_FADED.
times=$(awk '/\(_NLE_LISTENING\)/ { times = "" }
  /\(_NLE_FADED\)/ { printf "%s", times; exit }
  /\(_NET_WM_WINDOW_OPACITY\)/ { sub(/.*time /, ""); sub(/,.*/, ""); times = times $0 "\n" }' \
  "$events_log")
changes=$(grep -c . <<<"$times" || true)
distinct=$(sort -u <<<"$times" | grep -c . || true)
span=$(sort -n <<<"$times" | sed -n '1p;$p' | paste -sd' ' | awk '{ print $NF - $1 }')
echo "opacity changes: $changes at $distinct distinct server times over $span ms; ends: $final"
[[ $final == *" = 0" ]] || fail "expected the opacity to end at 0, saw: $final"
# The program sets each opacity once (tests/ui), so every change is a new
# value on its way to 0. How far the server times lie apart is only
# printed: it depends on the machine's speed and load.
((changes >= 10)) ||
  fail "expected the fade to reach the server as at least 10 changes, saw $changes"
echo "splash painted and faded on the X server"
