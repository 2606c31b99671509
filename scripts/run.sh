#!/usr/bin/env bash
# Installs what is missing, builds Keepsake and starts it. The user's
# settings live in $KEEPSAKE_HOME (default ~/.local/share/Keepsake), not in the
# build folder, so rebuilding never touches them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# Only what the window needs: the programs and the folders shipped beside
# them. The tests and benchmarks are the test command's business.
./scripts/build.sh keepsake keepsake-cli keepsake_shipped
export KEEPSAKE_HOME=${KEEPSAKE_HOME:-$HOME/.local/share/Keepsake}
mkdir -p "$KEEPSAKE_HOME"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Keepsake on a virtual screen (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" "${KEEPSAKE_BUILD_DIR:-build}/bin/keepsake" "$@"
fi
exec "${KEEPSAKE_BUILD_DIR:-build}/bin/keepsake" "$@"
