#!/bin/sh
# Builds the file search benchmark, makes its base once (again when the
# generator changed) and times the search against grep and rg.
#   bench/filesearch/run.sh [--runs N]
# BUILD_DIR picks the build folder (default: build-search in the source
# folder); the generated files (about 300 MB) stay under it, out of git.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-search}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -j2 -C "$build" keepsake-bench-makefiles keepsake-bench-filesearch >/dev/null
make_files=$build/bench/keepsake-bench-makefiles
data=$build/bench-data/filesearch
if [ ! -f "$data/Keepsake.mdb" ] || [ "$make_files" -nt "$data/Keepsake.mdb" ]; then
    "$make_files" "$data" "${BENCH_MEGABYTES:-300}"
fi
exec "$build/bench/keepsake-bench-filesearch" "$data" "$@"
