#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks that a desktop finds
# everything it needs: the executable, the help text beside which the menu
# entry starts it, a valid desktop entry and the icon in the hicolor sizes.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" > /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -x "$prefix/bin/nonlinear-equations" ]] || fail "no executable in bin/"
help="$prefix/share/nonlinear-equations/help.txt"
[[ -s "$help" ]] || fail "no help.txt"
grep -q "Метод хорд\|метод хорд" "$help" || fail "help.txt lacks the method descriptions"

entry="$prefix/share/applications/nonlinear-equations.desktop"
[[ -f "$entry" ]] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx "Name=Решение нелинейных уравнений" "$entry" || fail "wrong Name"
grep -qx "Categories=Education;Math;" "$entry" || fail "wrong Categories"
grep -qx "Path=$prefix/share/nonlinear-equations" "$entry" || fail "Path is not the help directory"
grep -qx "Exec=nonlinear-equations" "$entry" || fail "wrong Exec"

for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/nonlinear-equations.png"
  [[ -f "$icon" ]] || fail "no ${size}px icon"
  [[ $(identify -format '%wx%h' "$icon") == "${size}x${size}" ]] || fail "${size}px icon has the wrong size"
done
echo "installed files are complete"
