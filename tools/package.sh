#!/usr/bin/env bash
# Builds the Debian package of both programs, shkolnik_<version>_amd64.deb, into build-package/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
SHKOLNIK_WITH_PACKAGING=1 "$top/tools/setup.sh"
out="$top/build-package"
rm -rf "$out"
mkdir -p "$out/source"
# dpkg-buildpackage writes its results beside the source tree: a copy keeps the checkout clean.
tar -C "$top" --exclude='./build*' --exclude='./.git' --exclude='./.cache' -cf - . | tar -C "$out/source" -xf -
(cd "$out/source" && dpkg-buildpackage -us -uc -b -j2 >"$out/build.log" 2>&1) || { tail -40 "$out/build.log"; exit 1; }
ls "$out"/shkolnik_*.deb
