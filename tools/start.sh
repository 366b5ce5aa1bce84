#!/usr/bin/env bash
# Builds the program and starts it on a classroom folder (default: the bundled sample classroom).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
classroom=$(cd "${1:-$top/examples/classroom}" && pwd)
"$top/tools/setup.sh"
BUILD_TARGET=shkolnik "$top/tools/build.sh" "$top/build"
cd "$classroom"
exec "$top/build/app/shkolnik"
