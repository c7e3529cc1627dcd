#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the program into a temporary prefix and checks what a desktop and a
# software centre read there: the executable and its help text, a valid
# desktop entry, AppStream metadata that the validator accepts and from which
# appstreamcli composes a software centre's listing, the icon in every size, and the manual pages. Then the
# installed program, started from an empty directory on a virtual display,
# must show its help (help_window_test.sh).
# Usage: install_test.sh <build dir> <artefact dir>
set -euo pipefail
build_dir=$1
artefacts=$2
here=$(dirname "$0")
readonly id=invalid.nonlinear_equations.solver
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" > /dev/null ||
  fail "cmake --install into $prefix failed (is everything built?)"

[[ -x "$prefix/bin/nonlinear-equations" ]] || fail "no executable in bin/"
help="$prefix/share/nonlinear-equations/help.txt"
[[ -s "$help" ]] || fail "no help.txt"
grep -q "Метод хорд\|метод хорд" "$help" || fail "help.txt lacks the method descriptions"

entry="$prefix/share/applications/$id.desktop"
[[ -f "$entry" ]] || fail "no desktop entry $id.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
# expect_entry KEY=VALUE: the desktop entry holds exactly this line.
expect_entry() {
  grep -qxF "$1" "$entry" ||
    fail "expected the line '$1' in the desktop entry, saw: $(grep -F "${1%%=*}=" "$entry" || echo 'no such key')"
}
expect_entry "Name=Решение нелинейных уравнений"
expect_entry "Categories=Education;Math;"
expect_entry "Exec=nonlinear-equations"
expect_entry "Icon=$id"
grep -q "^Keywords\[ru\]=" "$entry" || fail "expected Keywords[ru]= in the desktop entry, saw none"

for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [[ -f "$icon" ]] || fail "no ${size}px icon"
  actual=$(identify -format '%wx%h' "$icon")
  [[ $actual == "${size}x${size}" ]] || fail "expected the ${size}px icon ${size}x${size}, saw $actual"
done
[[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ]] || fail "no scalable icon"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
# What a software centre lists: the catalog that Debian's archive tools
# compose from the installed files, with the icon cached from the install.
catalog=$(mktemp -d)
root="$catalog/root"
mkdir -p "$root" && ln -s "$prefix" "$root/usr"
appstreamcli compose --no-net --origin=nonlinear-equations --prefix=/usr \
  --result-root="$catalog/out" "$root" > "$catalog/report" 2>&1 ||
  { cat "$catalog/report"; fail "appstreamcli compose failed"; }
listing=$(zcat "$catalog/out/usr/share/swcatalog/xml/nonlinear-equations.xml.gz") ||
  { cat "$catalog/report"; fail "expected a catalog from appstreamcli compose, saw: $(ls -R "$catalog/out")"; }
rm -rf "$catalog"
for expected in "<id>$id</id>" '<summary>Compare four root-finding methods' \
  '<summary xml:lang="ru">Сравнение четырёх методов' '<icon type="cached" width="128"' \
  '<screenshot type="default">' "<launchable type=\"desktop-id\">$id.desktop"; do
  grep -qF "$expected" <<< "$listing" || fail "the composed catalog lacks $expected"
done
echo "listed by appstreamcli compose: icon, both summaries, screenshot"

for page in man1 ru/man1; do
  file="$prefix/share/man/$page/nonlinear-equations.1.gz"
  [[ -f "$file" ]] || fail "no manual page $page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 > /dev/null) ||
    warnings+=" (man ended with status $?)"
  [[ -z "$warnings" ]] || fail "man warns about $page: $warnings"
  warnings=$(zcat "$file" | groff -man -ww -z -K utf8 -Tutf8 2>&1) ||
    warnings+=" (groff ended with status $?)"
  [[ -z "$warnings" ]] || fail "groff warns about $page: $warnings"
done
echo "installed files are complete"

bash "$here/help_window_test.sh" "$prefix/bin/nonlinear-equations" "$artefacts"
