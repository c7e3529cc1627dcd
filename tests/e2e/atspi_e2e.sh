#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The detail window as a screen reader reads it: on an X server and a D-Bus
# session of their own, the driver opens the window and the reader walks the
# accessibility bus. The window must be a frame; its summary must give the
# root and the count, its verdict, and the plot its description.
# Usage: atspi_e2e.sh driver reader output-directory
set -euo pipefail
source "$(dirname "$0")/../../scripts/on_display.sh"
if [[ -z "${NLE_IN_SESSION:-}" ]]; then
  export NLE_IN_SESSION=1
  exec timeout 120 dbus-run-session -- bash "$0" "$@"
fi
rerun_on_own_display "$@"
driver=$1 reader=$2 out=$3
mkdir -p "$out"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 LC_ALL=C.UTF-8
export XDG_CONFIG_HOME="$out/settings"
"$driver" >"$out/driver.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
# What must be read, each as a description and a regular expression over the
# tree's lines (role, name and description, tab-separated).
checks=(
  "the window is a frame" $'^(frame|dialog)\tИтерации: '
  "the root" $'^label\tКорень \\(как в таблице\\): [0-9][^\t]*\tРезультат метода$'
  "the count" $'^label\t[^\t]*итераций: [0-9]+[^\t]*\tРезультат метода$'
  "the verdict" $'^label\t[✓⚠] [^\t]+\tИтог метода$'
  "the order of convergence" $'^label\tПорядок[^\t]*Ожидается[^\t]*\tПорядок сходимости$'
  "the function plot's description" $'^chart\tГрафик функции[^\t]*\tФункция и построения метода\\. Ось'
  "the convergence plot's description" $'^chart\tГрафик сходимости[^\t]*\tСходимость'
  "the results table's hint" $'^table\tРезультаты\tДвойной щелчок по строке метода'
)
patterns=()
for ((i = 1; i < ${#checks[@]}; i += 2)); do patterns+=("${checks[i]}"); done
# The reader reads until every pattern matches or 40 s pass.
"$reader" "Итерации: " 40 "${patterns[@]}" >"$out/tree.tsv" ||
  { cat "$out/driver.log" >&2; exit 1; }

failed=0
for ((i = 0; i < ${#checks[@]}; i += 2)); do
  if grep -Eq -- "${checks[i + 1]}" "$out/tree.tsv"; then
    echo "ok: ${checks[i]}"
  else
    echo "FAIL: ${checks[i]} (after 40 s no line of $out/tree.tsv matches ${checks[i + 1]})"
    failed=1
  fi
done
exit "$failed"
