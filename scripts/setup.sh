#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs. Idempotent: the package
# index is updated only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libxml2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  dpkg-dev file man-db bash-completion
  desktop-file-utils appstream shared-mime-info librsvg2-bin lintian optipng
  qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev qt6-documentation-tools qt6-translations-l10n libqt6sql6-sqlite
  xvfb xauth at-spi2-core dbus dbus-x11 python3-pyatspi
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
