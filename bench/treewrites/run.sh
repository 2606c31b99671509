#!/bin/sh
# Builds the tree-write benchmark and runs it in a scratch folder that is
# removed afterwards.
#   bench/treewrites/run.sh [--sizes 20000,50000,100000] [--work DIR]
# BUILD_DIR picks the build folder (default: build-clear in the source tree).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-clear}
cmake -S "$root" -B "$build" -G Ninja -DKEEPSAKE_BUILD_BENCH=ON >/dev/null
ninja -j2 -C "$build" keepsake-bench-treewrites >/dev/null
exec "$build/bench/keepsake-bench-treewrites" "$@"
