#!/bin/sh
# Builds the content index benchmark, makes the file search benchmark's base
# once (again when the generator changed), then times building the index and
# searching with and without it against grep and rg.
#   bench/contentindex/run.sh [--runs N]
# BUILD_DIR picks the build folder (default: build-search in the source
# folder); BENCH_MEGABYTES the size of the base (default 300). The base and
# the index (in a cache folder of the bench's own) stay under the build
# folder, out of git.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-search}
megabytes=${BENCH_MEGABYTES:-300}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
ninja -j2 -C "$build" keepsake-bench-makefiles keepsake-bench-contentindex >/dev/null
make_files=$build/bench/keepsake-bench-makefiles
if [ "$megabytes" = 300 ]; then
    data=$build/bench-data/filesearch
else
    data=$build/bench-data/filesearch-$megabytes
fi
if [ ! -f "$data/Keepsake.mdb" ] || [ "$make_files" -nt "$data/Keepsake.mdb" ]; then
    "$make_files" "$data" "$megabytes"
fi
XDG_CACHE_HOME=$build/bench-data/cache-$megabytes
export XDG_CACHE_HOME
exec "$build/bench/keepsake-bench-contentindex" "$data" "$@"
