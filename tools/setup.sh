#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is already there.
set -euo pipefail

# qt6-svg-dev: the report's charts as SVG.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2)
# chromium and poppler-utils (pdftotext): the test that prints the teacher's report.
[ "${SHKOLNIK_WITH_BROWSER:-0}" = 1 ] && packages+=(chromium poppler-utils)
[ "${SHKOLNIK_WITH_CLANG:-0}" = 1 ] && packages+=(clang libclang-rt-dev)
[ "${SHKOLNIK_WITH_PACKAGING:-0}" = 1 ] && packages+=(debhelper dpkg-dev lintian desktop-file-utils appstream)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
