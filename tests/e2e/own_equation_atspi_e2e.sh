#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The typed-equation window as a screen reader hears it: on an X server and a
# D-Bus session of their own, the reader listens on the accessibility bus
# while keys are typed into the window as a user types them. Typing "sin(x"
# must be followed, once the typing pauses, by the error and its position;
# then ")+x-2" and Enter ("Решить") by each method's root of sin(x)+x-2 on
# [1, 2], its count and its verdict. The formula
# field must carry the error as its description.
# Usage: own_equation_atspi_e2e.sh driver reader output-directory
set -euo pipefail
here=$(dirname "$0")
source "$here/../../scripts/on_display.sh"
if [[ -z "${NLE_IN_SESSION:-}" ]]; then
  export NLE_IN_SESSION=1
  exec timeout 150 dbus-run-session -- bash "$0" "$@"
fi
rerun_on_own_display "$@"
source "$here/../../scripts/wait_for.sh"
driver=$1 reader=$2 out=$3
mkdir -p "$out"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 LC_ALL=C.UTF-8
# No formula or input remembered from an earlier run.
export XDG_CONFIG_HOME="$out/settings"
rm -rf "$XDG_CONFIG_HOME"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$out/driver.log" >&2 || true
  exit 1
}

# What must be heard, each as a description and a regular expression over
# the lines "heard<TAB>role<TAB>name".
root='Корень \(как в таблице\): 1\.106?, итераций: [0-9]+; Сошёлся'
checks=(
  "the error and its position" $'^heard\t[^\t]*\tне хватает «\\)» в позиции 6$'
  "the bisection's root, count and verdict" "Метод половинного деления: $root"
  "the chords' root, count and verdict" "Метод хорд: $root"
  "the tangents' root, count and verdict" "Метод касательных: $root"
  "the secants' root, count and verdict" "Метод секущих: $root"
  "the fastest method" 'Самый быстрый метод для данного уравнения - Метод .+$'
)
patterns=()
for ((i = 1; i < ${#checks[@]}; i += 2)); do patterns+=("${checks[i]}"); done
"$reader" --listen 60 "${patterns[@]}" >"$out/heard.tsv" 2>"$out/reader.log" &
listener=$!
pids+=("$listener")
listening() { grep -q '^listening$' "$out/heard.tsv"; }
wait_until 30 "the reader to listen" listening || fail "$(cat "$out/reader.log")"

"$driver" --own-equation >"$out/driver.log" 2>&1 &
pids+=($!)
window=$(wait_for_window 30 'Своё уравнение f(x) = 0' "$!") || fail "no typed-equation window"
# No window manager here gives the new window the keyboard.
xdotool windowfocus --sync "$window"
xdotool type --delay 40 'sin(x'
heard_error() { grep -q 'не хватает' "$out/heard.tsv"; }
wait_until 30 "the error to be heard" heard_error || fail "nothing heard after typing sin(x"
# The field read as a screen reader reads it once it has the focus.
"$reader" 'Своё уравнение' 20 $'^combo box\t[^\t]*\tне хватает «\\)» в позиции 6$' \
  >"$out/tree.tsv" || fail "the window did not appear on the bus"
xdotool type --delay 40 ')+x-2'
xdotool key Return
status=0
wait_for_exit 60 "$listener" || status=$?
wait "$listener" || status=$?

failed=0
for ((i = 0; i < ${#checks[@]}; i += 2)); do
  if grep -Eq -- "${checks[i + 1]}" "$out/heard.tsv"; then
    echo "ok: heard ${checks[i]}"
  else
    echo "FAIL: ${checks[i]} not heard (no line of $out/heard.tsv matches ${checks[i + 1]})"
    failed=1
  fi
done
if grep -Eq $'^combo box\t[^\t]*\tне хватает «\\)» в позиции 6$' "$out/tree.tsv"; then
  echo "ok: the formula field describes the error and its position"
else
  echo "FAIL: no formula field described by the error in $out/tree.tsv"
  failed=1
fi
((status == 0)) || echo "the reader: $(cat "$out/reader.log")"
exit "$failed"
