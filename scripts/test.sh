#!/usr/bin/env bash
# Installs what is missing, builds Keepsake with its tests and runs them all,
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
cd "${KEEPSAKE_BUILD_DIR:-build}"
ctest --output-on-failure -j2
