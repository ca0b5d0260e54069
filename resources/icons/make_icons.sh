#!/usr/bin/env bash
# Renders vellum-mp3.svg into the PNG sizes the desktop's icon theme and the about box use.
# Run by hand after changing the SVG (needs rsvg-convert from librsvg2-bin); the PNGs are kept in the tree.
set -euo pipefail
cd "$(dirname "$0")"
for n in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${n}x${n}/apps"
  rsvg-convert -w "$n" -h "$n" vellum-mp3.svg -o "hicolor/${n}x${n}/apps/vellum-mp3.png"
done
