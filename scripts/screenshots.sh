#!/usr/bin/env bash
# Installs what is missing, builds, then draws the screenshots of the README and the AppStream
# metadata with the windowed program's own windows into docs/screenshots
# (offscreen, no display needed). Commit the pictures it leaves there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVX_BUILD_DIR:-$root/build}"
shots="$root/docs/screenshots"
"$root/scripts/setup.sh"
KVX_BUILD_DIR="$build" "$root/scripts/build.sh"
rm -f "$shots"/*.png
"$root/packaging/screenshots/take-screenshots.sh" "$build" "$shots"
# Smaller files, the same pictures.
optipng -quiet -o5 -strip all "$shots"/*.png
ls -l "$shots"
