#!/bin/sh
# Builds the store benchmark, makes its base once (again when the generator
# changed) and times the store against the sqlite3 shell.
#   bench/run-store-bench.sh [--runs N]
# BUILD_DIR picks the build folder (default: build-store beside this folder).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-store}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -j2 -C "$build" keepsake-bench-makebase keepsake-bench-store >/dev/null
make_base=$build/bench/keepsake-bench-makebase
base=$build/bench-data/Keepsake.mdb
if [ ! -f "$base" ] || [ "$make_base" -nt "$base" ]; then
    mkdir -p "$(dirname "$base")"
    "$make_base" "$base"
fi
exec "$build/bench/keepsake-bench-store" "$base" "$@"
