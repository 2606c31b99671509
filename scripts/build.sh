#!/usr/bin/env bash
# Configures and builds Keepsake into ./build (or $KEEPSAKE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KEEPSAKE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
ninja -C "$build_dir"
