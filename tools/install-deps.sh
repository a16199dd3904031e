#!/usr/bin/env bash
# Installs the Debian packages Noctaris needs to build and test, if any are missing.
# Usage: tools/install-deps.sh [build|test|package]
set -euo pipefail
mode=${1:-build}
# qt6-tools-dev and qt6-l10n-tools turn translations/noctaris_de.ts into the built-in .qm (and
# lupdate keeps it up to date); qt6-translations-l10n has Qt's own German texts (qtbase_de.qm).
# tzdata is the time-zone database the places' clocks come from (at run time too); qt6-svg-dev
# writes the chart and the night's altitude plot as SVG.
pkgs=(build-essential cmake pkg-config zlib1g-dev qt6-base-dev qt6-base-dev-tools liberfa-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n tzdata qt6-svg-dev)
if [ "$mode" = test ]; then
  # python3-icalendar reads back the command line's iCalendar output in tests/cli; poppler-utils
  # (pdfinfo, pdftoppm, pdftotext) opens the chart's PDF there.
  pkgs+=(libgtest-dev libgmock-dev libbenchmark-dev python3-icalendar poppler-utils)
fi
# The packaging tests validate the desktop entry, the AppStream data, the manual pages and the
# Debian package (dpkg-shlibdeps, which CPack uses for Depends, is in dpkg-dev).
if [ "$mode" = test ] || [ "$mode" = package ]; then
  pkgs+=(desktop-file-utils appstream man-db dpkg-dev lintian)
fi
missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
