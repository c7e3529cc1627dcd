#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree and runs lintian on it the way
# Debian's archive would be judged, pedantic tags and information included.
# Any error or warning fails the test; the full output is printed, the tags
# overridden (packaging/lintian-overrides, each with its reason) included.
# Usage: package_test.sh <build dir>
set -euo pipefail
build_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$out" > "$out/cpack.log") ||
  { cat "$out/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
debs=("$out"/nonlinear-equations_*.deb)
[[ -f "${debs[0]}" ]] ||
  { cat "$out/cpack.log"; echo "FAIL: expected nonlinear-equations_*.deb from cpack, saw: $(ls "$out")" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"
dpkg-deb --contents "$deb"
# Overridden tags show as O:, so an E: or W: line is one that nothing excuses.
# Exit status 2 only says that there are errors; anything else above 0 means
# lintian did not run.
status=0
lintian --pedantic --display-info --show-overrides "$deb" > "$out/lintian.log" 2>&1 || status=$?
# Root is what CI runs as; lintian only advises against it.
grep -v '^running with root privileges' "$out/lintian.log" || true
((status == 0 || status == 2)) || { echo "FAIL: lintian did not run (status $status)" >&2; exit 1; }
grep -q '^[EW]: ' "$out/lintian.log" && { echo "FAIL: lintian reports errors or warnings" >&2; exit 1; }
echo "lintian: no errors, no warnings"
