#!/usr/bin/env bash
# Installs what is missing, builds, and runs the application against the
# repository's installation folder with settings kept in build/settings and
# a simulated radio on a pseudo-terminal as the default radio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVX_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
KVX_BUILD_DIR="$build" "$root/scripts/build.sh"

export KVXZOT_MACHINE_SETTINGS="$build/settings/machine.ini"
export KVXZOT_USER_SETTINGS="${KVXZOT_USER_SETTINGS:-$build/settings/user.ini}"

# The simulated radio keeps what is written into it in build/sim/radio.xml.
sim_dir="$build/sim"
mkdir -p "$sim_dir"
link="$sim_dir/kvx-radio"
sim_args=(--link "$link" --save "$sim_dir/radio.xml")
[ -f "$sim_dir/radio.xml" ] && sim_args+=(--profile "$sim_dir/radio.xml")
"$build/radiosim/kvxzot-radiosim" "${sim_args[@]}" >"$sim_dir/radiosim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
export KVXZOT_EXTRA_PORTS="$link${KVXZOT_EXTRA_PORTS:+:$KVXZOT_EXTRA_PORTS}"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # The simulated radio's port is the configured one.
  "$build/registry/kvxzot-settings" --user-port "$KVXZOT_USER_SETTINGS" "$link"
  echo "run: the simulated radio answers on $link"
  "$build/gui/kvxzot" "$@"
else
  echo "run: no display (DISPLAY and WAYLAND_DISPLAY are unset); running the headless start-up (kvxzot-cli info)."
  "$build/cli/kvxzot-cli" info "$@"
  echo "run: the simulated radio answers on $link:"
  "$build/cli/kvxzot-cli" identify --port "$link"
fi
