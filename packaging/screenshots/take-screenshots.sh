#!/usr/bin/env bash
# Makes the profile the screenshots show, with kvxzot-cli, and draws the
# windowed program's windows with it into OUTPUT_DIR (offscreen, no display).
# Usage: take-screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1 output=$2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KVXZOT_MACHINE_SETTINGS="$build/settings/machine.ini"
export KVXZOT_USER_SETTINGS="$work/user.ini"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
# The port a USB programming cable usually gets, instead of this machine's.
export KVXZOT_NO_PLATFORM_PORTS=1 KVXZOT_EXTRA_PORTS=/dev/ttyUSB0
cli="$build/cli/kvxzot-cli"

profile="$work/Fleet.jub"
"$cli" new KVX30 -o "$profile" >/dev/null
for name in "Ann Becker" "Carlos Diaz" "Emma Fischer" "Felix Grant" "Hana Ito" "Omar Khan"; do
  "$cli" add "$profile" Privates --name "$name" -o "$profile" >/dev/null
done
group=$("$cli" add "$profile" PrivateGroups --name "Night Shift" -o "$profile" | sed -n 's/.* ID \([0-9]*\) .*/\1/p')
"$cli" add "$profile" PublicGroups --name "Security" -o "$profile" >/dev/null
own=$("$cli" export "$profile" | grep -o '<Private [^>]*name="Ann Becker" pid="[0-9]*"' | grep -o '[0-9]*"$' | tr -d '"')

# As read from Ann Becker's radio, with three privates in the night shift:
# the command line has no edit for either, so they go through the XML text.
members='Ann Becker\|Carlos Diaz\|Hana Ito'
"$cli" export "$profile" \
  | sed -e "s/<limit pid=\"[^\"]*\"/<limit pid=\"$own\"/" \
        -e "s#\(<Private [^>]*name=\"\($members\)\"[^>]*>\)<ParentPrivateGroups/>#\1<ParentPrivateGroups><ParentPrivateGroup pid=\"$group\"/></ParentPrivateGroups>#g" \
  >"$work/Fleet.xml"
"$cli" import "$work/Fleet.xml" -o "$profile" >/dev/null
carlos="//dfns:Private[@name='Carlos Diaz']"
"$cli" set "$profile" "$carlos" home_grp "$group" -o "$profile" >/dev/null

"$build/packaging/screenshots/kvxzot-screenshots" "$profile" "$output"
