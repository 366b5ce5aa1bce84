#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless. Usage: test.sh [build folder] [CMake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}
[ $# -gt 0 ] && shift
SHKOLNIK_WITH_BROWSER=1 "$top/tools/setup.sh"
"$top/tools/build.sh" "$dir" -DSHKOLNIK_TESTS=ON "$@"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j2
