#!/usr/bin/env bash
# Configures and builds the sanitized tree: the whole project and its tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, with clang, into
# ./build-asan (or $KEEPSAKE_ASAN_BUILD_DIR). The benchmarks are left out: no
# test runs them and they would only lengthen the build. Extra arguments go to
# cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KEEPSAKE_ASAN_BUILD_DIR:-build-asan}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKEEPSAKE_SANITIZE=ON -DKEEPSAKE_BUILD_BENCH=OFF "$@" >/dev/null
ninja -C "$build_dir"
