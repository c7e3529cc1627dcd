#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The splash on a real X server of its own: a screenshot shows the
# picture with the white title, and the window's _NET_WM_WINDOW_OPACITY,
# followed by xprop -spy from this second process, passes through
# intermediate values on its way to 0.
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
opacity_log="$out/splash_opacity.log"
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
[[ $blue == 1 ]] || fail "the screenshot shows no blue picture"
awk -v t="$title" -v b="$below" 'BEGIN { exit !(t > 0.05 && t > 3 * b) }' ||
  fail "the screenshot shows no white title"

xprop -spy -id "$window" _NET_WM_WINDOW_OPACITY > "$opacity_log" &
spy=$!
# xprop prints the value it finds before it listens for changes, so its
# first line does not say that it will see the fade. The opacity is set to
# its present value (opaque) until xprop reports a change: from then on it
# sees every step.
spy_listens() {
  xprop -id "$window" -f _NET_WM_WINDOW_OPACITY 32c -set _NET_WM_WINDOW_OPACITY 4294967295
  (($(wc -l < "$opacity_log") >= 2))
}
wait_until "$limit" "xprop to report a change of the opacity" spy_listens ||
  fail "xprop -spy does not follow the splash's opacity; its log: $(head -c 200 "$opacity_log")"

echo go >&"$splash_in"
read -r -t "$limit" faded <&"$splash_out" ||
  fail "the fade did not end: the driver said nothing within $limit s"
[[ $faded == faded ]] || fail "expected 'faded' from the driver, saw '$faded'"
# The server has had every step (the splash waits for it after each), but
# xprop may still be printing them.
faded_out() { [[ $(tail -n 1 "$opacity_log") == *" = 0" ]]; }
wait_until "$limit" "xprop to report the opacity 0" faded_out ||
  fail "the opacity did not end at 0; xprop's last line: $(tail -n 1 "$opacity_log")"
echo quit >&"$splash_in"
wait_for_exit "$limit" "$splash_pid" || fail "the driver did not end after 'quit'"
status=0
wait "$splash_pid" || status=$?
splash_pid=
((status == 0)) || fail "expected exit status 0 from the driver, saw $status"

values=$(grep -o '= [0-9]*$' "$opacity_log" | cut -c3- || true)
intermediate=$(echo "$values" | awk '$1 > 0 && $1 < 4294967295' | sort -u | wc -l)
last=$(echo "$values" | tail -n 1)
echo "opacity changes seen: $(echo "$values" | grep -c . || true), distinct intermediate values: $intermediate, last: $last"
((intermediate >= 10)) ||
  fail "expected at least 10 distinct values between opaque and 0, saw $intermediate"
echo "splash painted and faded on the X server"
