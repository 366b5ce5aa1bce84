#!/bin/sh
# Builds the readers' fuzz target with clang and runs it for the given number of
# seconds (60 when none is given). Findings are left as crash-* files in the build folder.
set -eu
seconds=${1:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${SHKOLNIK_FUZZ_BUILD_DIR:-$source_dir/build-fuzz}

cmake -S "$source_dir" -B "$build_dir" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DSHKOLNIK_FUZZ=ON -DSHKOLNIK_SANITIZE=ON -DSHKOLNIK_TESTS=OFF -DSHKOLNIK_BENCHMARKS=OFF
ninja -C "$build_dir" -j2 readers_fuzz

# New inputs go to the first folder; the seeds in the source tree stay as they are.
mkdir -p "$build_dir/fuzz-corpus"
cd "$build_dir"
exec ./fuzz/readers_fuzz -max_total_time="$seconds" -timeout=10 -max_len=16384 \
  -dict="$source_dir/fuzz/readers.dict" "$build_dir/fuzz-corpus" "$source_dir/fuzz/corpus" \
  "$source_dir/examples/classroom" "$source_dir/examples/results"
