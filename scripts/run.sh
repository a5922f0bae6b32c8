#!/usr/bin/env bash
# Installs what is missing, builds, and runs the application against the
# repository's installation folder with settings kept in build/settings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVX_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
KVX_BUILD_DIR="$build" "$root/scripts/build.sh"

export KVXZOT_MACHINE_SETTINGS="$build/settings/machine.ini"
export KVXZOT_USER_SETTINGS="${KVXZOT_USER_SETTINGS:-$build/settings/user.ini}"

# The windowed application is not built yet: run the headless start-up.
echo "run: starting the headless application (kvxzot-cli info); the main window comes later."
exec "$build/cli/kvxzot-cli" info "$@"
