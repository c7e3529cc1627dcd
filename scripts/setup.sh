#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building and testing need, and any given
# as arguments, only those missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libjpeg62-turbo-dev
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  libgtest-dev libbenchmark-dev libgsl-dev
  xvfb xauth xdotool x11-utils imagemagick
  fonts-dejavu-core locales desktop-file-utils dpkg-dev
  lintian appstream appstream-compose man-db groff-base librsvg2-bin xclip
  openbox xfwm4 xfconf wmctrl dbus-daemon
  qt6-translations-l10n qt6-tools-dev qt6-l10n-tools at-spi2-core
  poppler-utils stress-ng
)
# Packages that one script alone needs, given by it (scripts/fuzz.sh: clang).
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
