#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The splash on a real X server of its own: a screenshot shows the
# picture with the white title, and the window's _NET_WM_WINDOW_OPACITY,
# followed by xprop -spy from this second process, passes through
# intermediate values on its way to 0.
# Usage: splash_fade.sh <splash_driver> <directory for the artefacts>
set -euo pipefail
NLE_SCREEN=1280x1024
source "$(dirname "$0")/../../scripts/on_display.sh"
rerun_on_own_display "$@"
driver=$1
out=$2
mkdir -p "$out"
screenshot="$out/splash_screenshot.png"
opacity_log="$out/splash_opacity.log"

fail() { echo "FAIL: $*" >&2; exit 1; }

coproc SPLASH { QT_QPA_PLATFORM=xcb "$driver"; }
read -r -t 20 window x y width height <&"${SPLASH[0]}" || fail "the splash did not show"
echo "splash window $window at $x,$y, $width x $height"

# A splash window: window managers give it no taskbar entry.
xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_SPLASH ||
  fail "window type: $(xprop -id "$window" _NET_WM_WINDOW_TYPE)"

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
trap 'kill $spy 2>/dev/null || true' EXIT
for _ in $(seq 100); do [[ -s $opacity_log ]] && break; sleep 0.05; done
[[ -s $opacity_log ]] || fail "xprop did not start"
sleep 0.2

echo go >&"${SPLASH[1]}"
read -r -t 20 faded <&"${SPLASH[0]}" || fail "the fade did not end"
[[ $faded == faded ]] || fail "unexpected output from the driver: $faded"
for _ in $(seq 100); do
  [[ $(tail -n 1 "$opacity_log") == *" = 0" ]] && break
  sleep 0.05
done
echo quit >&"${SPLASH[1]}"
wait "$SPLASH_PID" || fail "the driver failed"

values=$(grep -o '= [0-9]*$' "$opacity_log" | cut -c3- || true)
intermediate=$(echo "$values" | awk '$1 > 0 && $1 < 4294967295' | sort -u | wc -l)
last=$(echo "$values" | tail -n 1)
echo "opacity changes seen: $(echo "$values" | grep -c . || true), distinct intermediate values: $intermediate, last: $last"
[[ $last == 0 ]] || fail "the opacity did not end at 0"
((intermediate >= 10)) || fail "the fade reached the server only as its end value"
echo "splash painted and faded on the X server"
