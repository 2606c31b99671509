#!/bin/sh
# Builds the knowledge-base search benchmark and the store benchmark's base
# generator, makes the base once (again when the generator changed) and
# times the search against the sqlite3 shell.
#   bench/kbsearch/run.sh [--runs N]
# BUILD_DIR picks the build folder (default: build-kbs in the source tree).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-kbs}
cmake -S "$root" -B "$build" -G Ninja -DKEEPSAKE_BUILD_BENCH=ON >/dev/null
ninja -j2 -C "$build" keepsake-bench-makebase keepsake-bench-kbsearch >/dev/null
make_base=$build/bench/keepsake-bench-makebase
base=$build/bench-data/kbsearch/Keepsake.mdb
if [ ! -f "$base" ] || [ "$make_base" -nt "$base" ]; then
    mkdir -p "$(dirname "$base")"
    "$make_base" "$base"
fi
exec "$build/bench/keepsake-bench-kbsearch" "$base" "$@"
