#!/usr/bin/env bash
# Draws the screenshots with the program as it is now and checks that they
# are the pictures docs/screenshots holds, at the size the AppStream
# metadata gives, and that the README and the metadata name only those.
# Usage: screenshots_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$source/packaging/screenshots/take-screenshots.sh" "$build" "$scratch/shots" 2>"$scratch/log" \
  || { cat "$scratch/log"; fail "the screenshots could not be drawn"; }

names() { (cd "$1" && ls -- *.png); }
[ "$(names "$scratch/shots")" = "$(names "$source/docs/screenshots")" ] \
  || fail "drawn: $(names "$scratch/shots" | xargs) but committed: $(names "$source/docs/screenshots" | xargs)"

# Width and height: the first two big-endian words of the IHDR chunk.
size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
metainfo=$build/packaging/com.varnholt.kvxzot.metainfo.xml
for shot in "$scratch"/shots/*.png "$source"/docs/screenshots/*.png; do
  [ "$(size "$shot")" = 1280x800 ] || fail "$shot is $(size "$shot"), not 1280x800"
done
grep -q 'width="1280" height="800"' "$metainfo" || fail "the metadata gives another size"

for name in $(grep -oh 'docs/screenshots/[a-z0-9-]*\.png' "$source/README.md" "$metainfo"); do
  [ -f "$source/$name" ] || fail "$name is named but not committed"
done
grep -q 'docs/screenshots/main-window.png' "$source/README.md" || fail "the README shows no main window"
echo "screenshots: $(names "$scratch/shots" | xargs)"
