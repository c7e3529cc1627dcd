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
"$reader" "Итерации: " 40 >"$out/tree.tsv" || { cat "$out/driver.log" >&2; exit 1; }

failed=0
expect() {  # description, extended regular expression over the tree
  if grep -Eq -- "$2" "$out/tree.tsv"; then
    echo "ok: $1"
  else
    echo "FAIL: $1 (no line matches $2)"
    failed=1
  fi
}
expect "the window is a frame" $'^(frame|dialog)\tИтерации: '
expect "the root" $'^label\tРезультат метода\tКорень \\(как в таблице\\): [0-9]'
expect "the count" $'^label\tРезультат метода\t[^\t]*итераций: [0-9]+'
expect "the verdict" $'^label\tИтог метода\t[✓⚠] .+'
expect "the order of convergence" $'^label\tПорядок сходимости\t.+'
expect "the function plot's description" $'^chart\tГрафик функции[^\t]*\tФункция и построения метода\\. Ось'
expect "the convergence plot's description" $'^chart\tГрафик сходимости[^\t]*\tСходимость'
expect "the results table's hint" $'^table\tРезультаты\tДвойной щелчок по строке метода'
exit "$failed"
