#!/usr/bin/env bash
# Renders the windowed application's pictures from their SVG sources in
# gui/artwork into the PNGs of gui/resources (kept in the repository, so a
# build needs no renderer). Run after changing a picture.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
art="$root/gui/artwork"
out="$root/gui/resources"
mkdir -p "$out/toolbar" "$out/app" "$out/report"

for svg in "$art"/toolbar/*.svg; do
  name="$(basename "$svg" .svg)"
  rsvg-convert -w 16 -h 15 "$svg" -o "$out/toolbar/$name.png"
  rsvg-convert -w 32 -h 30 "$svg" -o "$out/toolbar/$name@2x.png"
  rsvg-convert -w 16 -h 15 -s "$art/toolbar/disabled.css" "$svg" -o "$out/toolbar/$name-disabled.png"
  rsvg-convert -w 32 -h 30 -s "$art/toolbar/disabled.css" "$svg" -o "$out/toolbar/$name-disabled@2x.png"
done

for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$art/app/kvxzot.svg" -o "$out/app/kvxzot-$size.png"
done
rsvg-convert -w 96 -h 96 "$art/app/kvxzot.svg" -o "$out/app/about.png"
rsvg-convert -w 480 -h 300 "$art/app/splash.svg" -o "$out/app/splash.png"

for svg in "$art"/report/*.svg; do
  name="$(basename "$svg" .svg)"
  rsvg-convert -w 32 -h 32 "$svg" -o "$out/report/$name.png"
  rsvg-convert -w 64 -h 64 "$svg" -o "$out/report/$name@2x.png"
done
