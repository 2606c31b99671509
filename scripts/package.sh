#!/usr/bin/env bash
# Installs what is missing, builds the programs and their shipped folders and
# makes the Debian package keepsake_<version>_<arch>.deb with cpack; prints
# the package's path.
#
#   scripts/package.sh [BUILD_DIR [OUTPUT_DIR]]
#
# BUILD_DIR defaults to ./build-package, configured for Release on its first
# use; a tree configured already (the test command passes its own) is used as
# it is, so nothing is compiled twice. The package lands in OUTPUT_DIR,
# default BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}
out_dir=${2:-$build_dir}
./scripts/install-deps.sh
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  # Installing must not wait for targets the package leaves out (tests,
  # benchmarks, build tools): cpack builds what `install` depends on.
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DKEEPSAKE_BUILD_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher[@]}" >/dev/null
fi
ninja -C "$build_dir" keepsake keepsake-cli keepsake_shipped >/dev/null
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
(cd "$build_dir" && cpack -G DEB -B "$out_dir" >/dev/null)
rm -rf "$out_dir/_CPack_Packages"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
echo "$out_dir/keepsake_${version}_$(dpkg --print-architecture).deb"
