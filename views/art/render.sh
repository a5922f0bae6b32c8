#!/usr/bin/env bash
# Renders the SVG sources of this folder into the PNGs the views' resource
# holds. Run after changing a drawing and commit both.
set -euo pipefail
cd "$(dirname "$0")"
rsvg-convert -w 255 -h 17 tree-strip.svg -o tree-strip.png
for icon in delete-contact add-text-message add-new-message delete-message; do
  rsvg-convert -w 32 -h 32 "$icon.svg" -o "$icon.png"
done
