#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under Xvfb and measures it from outside, as a user
# would see it, with the X server's own events and timestamps:
#   - process start to the main window being mapped (the splash's two-second
#     sleep and its fade included);
#   - the fade: the splash window's _NET_WM_WINDOW_OPACITY changes after the
#     sleep, counted and timed by the X server (milliseconds);
#   - a click on "Вычислить" to the status bar's pixels changing (the status
#     text is written at the end of the comparison run); polled with xwd, so
#     the figure is good to about the polling interval printed beside it;
#   - the peak resident memory (VmHWM) just before the program is closed.
# The program is not changed or instructed in any way: it reads its decimal
# separator from the locale, so it runs under a Russian LC_NUMERIC (built
# into a temporary directory) to read its design texts such as "0,001".
#
# Usage: scripts/bench-startup.sh [program] [runs]
#   program  default: the first of build-bench/ui/nonlinear-equations,
#            build/ui/nonlinear-equations that exists
#   runs     default 3
# Output: one line per run, then the medians.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != "--inside-xvfb" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
shift
source "$(dirname "$0")/wait_for.sh"

program=${1:-}
if [[ -z "$program" ]]; then
  for candidate in build-bench/ui/nonlinear-equations build/ui/nonlinear-equations; do
    [[ -x "$candidate" ]] && program=$candidate && break
  done
fi
[[ -x "$program" ]] || { echo "bench-startup: no program built (build-bench/ui/nonlinear-equations)" >&2; exit 1; }
runs=${2:-3}

readonly main_caption='Простейший математический пакет по решению нелинейных уравнений '
readonly client_height=356  # the main window's client area; the menu bar sits above it
readonly status_height=19   # the status bar along the client area's bottom edge

work=$(mktemp -d)
started_pids=()  # the program and the event watchers of the current run
stop_started() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  started_pids=()
}
cleanup() {
  stop_started
  rm -rf "$work"
}
trap cleanup EXIT

# A Russian numeric locale for the program's design texts.
locale_env=()
mkdir -p "$work/locale"
# localedef exits non-zero on mere warnings; what counts is the locale built.
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null 2>&1 || true
if [[ -f "$work/locale/ru_RU.UTF-8/LC_NUMERIC" ]]; then
  locale_env=(LOCPATH="$work/locale" LC_NUMERIC=ru_RU.UTF-8)
else
  echo "bench-startup: could not build ru_RU.UTF-8; the click will meet a conversion error" >&2
fi

elapsed_ms() { echo $(( (${EPOCHREALTIME/./} - ${1/./}) / 1000 )); }

# Prefixes every line with the wall-clock time at which it arrived.
stamp() { while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done; }

# Runs a command in the background with its output stamped into a file.
watch_into() {
  local log=$1
  shift
  stdbuf -oL "$@" > >(stamp >"$log") 2>/dev/null &
  started_pids+=($!)
}

# The arrival time of the first line of a kind that names a window.
event_time() {  # log kind window
  awk -v kind="$2" -v window="$3" '
    index($0, kind " event") { pending = $1 }
    pending != "" && index($0, "window " window ",") { print pending; exit }
    index($0, "event, serial") && !index($0, kind " event") { pending = "" }' "$1"
}

# The id of the first visible window named $1 in xev's hexadecimal form,
# once it shows; fails with a message after 15 s or when $2 has ended.
window_in_hex() {
  local id
  id=$(wait_for_window 15 "$1" "$2") || return 1
  printf '0x%x\n' "$id"
}

# The status bar's pixels, hashed: the last rows of an xwd dump (32 bits a
# pixel), or ImageMagick's crop where xwd (Debian's x11-apps) is missing,
# which polls about five times more slowly.
status_bar_hash() {  # window width height
  if command -v xwd >/dev/null; then
    xwd -id "$1" -silent | tail -c $(( status_height * $2 * 4 )) | md5sum | cut -d' ' -f1
  else
    import -window "$1" -crop "${2}x${status_height}+0+$(( $3 - status_height ))" rgb:- | md5sum |
      cut -d' ' -f1
  fi
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "n/a" }'; }

measure_once() {
  local run=$1
  local root_log="$work/root-$run.log" opacity_log="$work/opacity-$run.log"
  watch_into "$root_log" xev -root -event substructure
  sleep 0.2  # xev has selected its events

  local start=$EPOCHREALTIME
  env "${locale_env[@]}" "$program" >"$work/program-$run.log" 2>&1 &
  local pid=$!
  started_pids+=("$pid")

  local splash
  splash=$(window_in_hex Form4 "$pid") || { echo "run $run: no splash" >&2; return 1; }
  watch_into "$opacity_log" xev -id "$splash" -event property  # well within the two-second sleep

  local main
  main=$(window_in_hex "$main_caption" "$pid") || { echo "run $run: no main window" >&2; return 1; }
  local mapped splash_mapped splash_unmapped
  mapped=$(event_time "$root_log" MapNotify "$main")
  splash_mapped=$(event_time "$root_log" MapNotify "$splash")
  splash_unmapped=$(event_time "$root_log" UnmapNotify "$splash")
  [[ -n "$mapped" && -n "$splash_mapped" && -n "$splash_unmapped" ]] || {
    echo "run $run: xev saw no map of $main ('$mapped'), map of $splash ('$splash_mapped')" \
      "or unmap of $splash ('$splash_unmapped')" >&2
    return 1
  }
  local start_ms=$(( (${mapped/./} - ${start/./}) / 1000 ))
  local splash_ms=$(( (${splash_mapped/./} - ${start/./}) / 1000 ))
  local splash_on_ms=$(( (${splash_unmapped/./} - ${splash_mapped/./}) / 1000 ))

  # The fade: the opacity changes after the sleep, by the server's clock.
  local fade_times fade_steps fade_ms
  fade_times=$(grep '_NET_WM_WINDOW_OPACITY' "$opacity_log" | grep -o 'time [0-9]*' | cut -d' ' -f2 || true)
  fade_steps=$(grep -c . <<<"$fade_times" || true)
  if (( fade_steps > 1 )); then
    fade_ms=$(( $(tail -n 1 <<<"$fade_times") - $(head -n 1 <<<"$fade_times") ))
  else
    fade_ms=n/a
  fi

  # The click on "Вычислить": the speed button at (8, 136), 121 x 25, in the
  # group box at (0, 34) of the client area.
  sleep 0.5
  local geometry x y width height
  geometry=$(xwininfo -id "$main")
  x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$geometry")
  y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$geometry")
  width=$(awk '/Width:/ { print $NF }' <<<"$geometry")
  height=$(awk '/Height:/ { print $NF }' <<<"$geometry")
  local client_top=$(( y + height - client_height ))
  xdotool mousemove --sync $(( x + 8 + 60 )) $(( client_top + 34 + 136 + 12 ))
  sleep 0.2
  local before polls=0 clicked click_ms=timeout poll_total_us=0
  before=$(status_bar_hash "$main" "$width" "$height")
  xdotool click 1
  clicked=$EPOCHREALTIME
  # The figure is the end of the first poll that sees the change: an upper
  # bound, at most one poll late.
  while (( $(elapsed_ms "$clicked") < 5000 )); do
    local poll_start=$EPOCHREALTIME hash
    hash=$(status_bar_hash "$main" "$width" "$height")
    polls=$(( polls + 1 ))
    poll_total_us=$(( poll_total_us + ${EPOCHREALTIME/./} - ${poll_start/./} ))
    if [[ "$hash" != "$before" ]]; then
      click_ms=$(elapsed_ms "$clicked")
      break
    fi
  done
  local poll_ms=n/a
  (( polls > 0 )) && poll_ms=$(( poll_total_us / polls / 1000 ))
  import -window "$main" "$work/after-click-$run.png" 2>/dev/null &&
    cp "$work/after-click-$run.png" "${screenshot_dir}/startup-after-click-$run.png" || true

  local peak_kb
  peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null) ||
    { echo "run $run: the program ended before it was closed" >&2; return 1; }
  stop_started
  wait "$pid" 2>/dev/null || true

  printf 'run %d: start to main window mapped %d ms (to splash mapped %d ms, splash shown %d ms);' \
    "$run" "$start_ms" "$splash_ms" "$splash_on_ms"
  printf ' fade %s steps in %s ms; click to status <= %s ms (%s polls of ~%s ms); peak RSS %d.%d MB\n' \
    "$fade_steps" "$fade_ms" "$click_ms" "$polls" "$poll_ms" $(( peak_kb / 1024 )) $(( peak_kb % 1024 * 10 / 1024 ))
  echo "$start_ms $fade_ms $click_ms $peak_kb" >>"$work/figures"
}

screenshot_dir=$(dirname "$program")
for run in $(seq 1 "$runs"); do
  measure_once "$run"  # a failed run has said why; set -e ends the script
done

column_median() { awk -v c="$1" '{ print $c }' "$work/figures" | grep -v '[^0-9]' | median; }
peak=$(column_median 4)
echo "median of $runs: start to main window mapped $(column_median 1) ms (target <= 2300);" \
  "fade $(column_median 2) ms; click to status <= $(column_median 3) ms;" \
  "peak RSS $(( peak / 1024 )) MB (target < 60)"
