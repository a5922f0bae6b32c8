#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVX_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
KVX_BUILD_DIR="$build" "$root/scripts/build.sh"

# Tests keep their settings in a scratch folder, never in the user's.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export KVXZOT_MACHINE_SETTINGS="$build/settings/machine.ini"
export KVXZOT_USER_SETTINGS="$scratch/user.ini"
export KVX_CLI="$build/cli/kvxzot-cli"
export KVXZOT_NO_PLATFORM_PORTS=1
cd "$build"
# A test that cannot run on this machine leaves its reason in skipped.txt.
find "$build/tests" -name skipped.txt -delete
status=0
ctest --output-on-failure -j"$(nproc)" --timeout 300 || status=$?
find "$build/tests" -name skipped.txt -exec cat {} +
exit "$status"
