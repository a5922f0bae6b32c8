#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it holds: the
# programs, the installation folder, the machine configuration for /usr
# (a configuration file of the package), manual pages, completion, the
# documentation, library dependencies found by dpkg-shlibdeps, and no
# complaint from lintian.
# Usage: package_test.sh BUILD_DIR VERSION GUI_BUILT(0|1)
set -euo pipefail
build=$1 version=$2 gui=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >cpack.log 2>&1) \
  || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$scratch/out/kvxzot_${version}_amd64.deb
[ -f "$deb" ] || fail "no package named $(basename "$deb"): $(ls "$scratch/out")"

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
expect=(./usr/bin/kvxzot-cli ./usr/bin/kvxzot-radiosim
        ./usr/share/kvxzot/lib/Region.stv ./usr/share/kvxzot/ProfileTemplate/DataProfile.xsd
        ./usr/share/kvxzot/ProfileTemplate/DataProfile.vbs ./usr/share/kvxzot/ProfileTemplate/KVX30.jub
        ./usr/share/kvxzot/Language/German.json ./etc/xdg/Varnholt/kvxzot.ini
        ./usr/share/man/man1/kvxzot-cli.1.gz ./usr/share/man/man1/kvxzot-radiosim.1.gz
        ./usr/share/bash-completion/completions/kvxzot-cli
        ./usr/share/doc/kvxzot/copyright ./usr/share/doc/kvxzot/changelog.gz
        ./usr/share/doc/kvxzot/docs/screenshots/main-window.png)
if [ "$gui" = 1 ]; then
  expect+=(./usr/bin/kvxzot ./usr/share/man/man1/kvxzot.1.gz
           ./usr/share/applications/com.varnholt.kvxzot.desktop
           ./usr/share/mime/packages/com.varnholt.kvxzot.xml
           ./usr/share/metainfo/com.varnholt.kvxzot.metainfo.xml
           ./usr/share/icons/hicolor/scalable/apps/com.varnholt.kvxzot.svg
           ./usr/share/icons/hicolor/48x48/apps/com.varnholt.kvxzot.png)
fi
for file in "${expect[@]}"; do
  grep -qxF "$file" <<<"$files" || fail "$file is not in the package"
done
if grep -v -e '^\./usr/' -e '^\./etc/xdg/' -e '^\./$' -e '^\./etc/$' <<<"$files"; then
  fail "files outside /usr and /etc/xdg"
fi

dpkg-deb -x "$deb" "$scratch/root"
grep -q 'InstallPath=/usr/share/kvxzot$' "$scratch/root/etc/xdg/Varnholt/kvxzot.ini" \
  || fail "the machine configuration does not name /usr/share/kvxzot"
dpkg-deb -e "$deb" "$scratch/control"
grep -qx '/etc/xdg/Varnholt/kvxzot.ini' "$scratch/control/conffiles" || fail "the machine configuration is no conffile"
depends=$(dpkg-deb -f "$deb" Depends)
if [ "$gui" = 1 ]; then gui_libraries="libqt6widgets6 libqt6help6 libqt6sql6-sqlite"; else gui_libraries=""; fi
for library in libqt6core6 libqt6serialport6 libxml2 libc6 $gui_libraries; do
  grep -q "\\b$library\\b" <<<"$depends" || fail "no dependency on $library: $depends"
done
# Lintian's errors and warnings; what remains are informational tags.
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 || { cat "$scratch/lintian.log"; fail "lintian"; }
echo "package test passed"
