#!/usr/bin/env bash
# Installs the Debian 12 packages Keepsake needs to build, run, test and be
# looked at under Xvfb. Only what is missing is installed, so a ready machine
# pays nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-translations-l10n
  libqscintilla2-qt6-dev
  libsqlite3-dev sqlite3
  libgl-dev
  fonts-wqy-microhei
  breeze-icon-theme libqt6svg6
  xvfb xauth imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
