#!/usr/bin/env bash
# Configures and builds Keepsake into ./build (or $KEEPSAKE_BUILD_DIR).
# Arguments name the targets to build; without any, everything is built
# (programs, tests and benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KEEPSAKE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build_dir" "$@"
