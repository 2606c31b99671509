#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds Keepsake with its
# tests and runs them all, headless; then builds the sanitized tree and runs every test again under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, and runs
# each fuzzer of that tree for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir "${KEEPSAKE_BUILD_DIR:-build}" --output-on-failure -j2
./scripts/check-package.sh "${KEEPSAKE_BUILD_DIR:-build}"
./scripts/build-sanitized.sh -DKEEPSAKE_BUILD_FUZZERS=ON
ctest --test-dir "${KEEPSAKE_ASAN_BUILD_DIR:-build-asan}" --output-on-failure -j2
./scripts/fuzz.sh "${KEEPSAKE_ASAN_BUILD_DIR:-build-asan}" 30
