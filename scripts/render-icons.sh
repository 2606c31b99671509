#!/usr/bin/env bash
# Renders the application icon's PNG sizes from resources/icons/keepsake.svg.
# The PNGs are committed, so neither the build nor the package needs an SVG
# renderer; run this (it needs librsvg2-bin) after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" keepsake.svg -o "hicolor/${size}x${size}/apps/keepsake.png"
done
