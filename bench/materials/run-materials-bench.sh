#!/bin/sh
# Builds the material list benchmark, makes its base once (again when the
# generator changed) and times the list against the sqlite3 shell.
#   bench/materials/run-materials-bench.sh [--runs N]
# BUILD_DIR picks the build folder (default: build-mat in the source tree).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-mat}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -j2 -C "$build" keepsake-bench-materials-makebase keepsake-bench-materials >/dev/null
make_base=$build/bench/keepsake-bench-materials-makebase
base=$build/bench-data/materials/Keepsake.mdb
if [ ! -f "$base" ] || [ "$make_base" -nt "$base" ]; then
    mkdir -p "$(dirname "$base")"
    "$make_base" "$base"
fi
exec "$build/bench/keepsake-bench-materials" "$base" "$@"
