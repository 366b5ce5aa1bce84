#!/usr/bin/env bash
# Configures and builds. Usage: build.sh [build folder] [CMake options...]; BUILD_TARGET builds one target only.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}
[ $# -gt 0 ] && shift
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$dir" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
