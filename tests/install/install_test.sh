#!/usr/bin/env bash
# Installs the build into a staging prefix and runs the installed programs
# from there as an installed copy runs: a clean environment without any
# KVXZOT_* variable, the machine configuration found in the prefix's XDG
# system folder, the user's folders inside the stage.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR GUI_BUILT(0|1)
set -euo pipefail
build=$1 source=$2 gui=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$stage" >"$stage.log" 2>&1 || { cat "$stage.log"; fail "cmake --install"; }
rm -f "$stage.log"

data=$stage/share/kvxzot
programs=(kvxzot-cli kvxzot-radiosim)
[ "$gui" = 1 ] && programs+=(kvxzot)
for program in "${programs[@]}"; do
  [ -x "$stage/bin/$program" ] || fail "$program is not installed"
  page=$stage/share/man/man1/$program.1.gz
  gzip -t "$page" || fail "no gzipped manual page for $program"
  warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
  [ -z "$warnings" ] || fail "manual page of $program: $warnings"
done
for file in lib/Region.stv lib/HelpPane.stv lib/UpDownGradeSetting.stv ProfileTemplate/DataProfile.xsd \
            ProfileTemplate/DataProfile.vbs ProfileTemplate/KVX30.jub Language/German.json; do
  [ -f "$data/$file" ] || fail "$file is not in the installation folder"
done
# The compiled help comes with the windowed program.
if [ "$gui" = 1 ]; then
  for language in English German Spanish; do
    [ -f "$data/Help/$language.qch" ] || fail "the $language help is not installed"
  done
fi
grep -q "InstallPath=$data\$" "$stage/etc/xdg/Varnholt/kvxzot.ini" \
  || fail "the machine configuration does not name the installation folder"

home=$stage/home
mkdir -p "$home/run"
chmod 700 "$home/run"
run() {
  env -i PATH="$stage/bin:/usr/bin:/bin" HOME="$home" ${QT_QPA_PLATFORM:+QT_QPA_PLATFORM=$QT_QPA_PLATFORM} XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$home/run" \
    XDG_CONFIG_DIRS="${config_dirs-$stage/etc/xdg}" "$@"
}
# Nothing may write into the installed files: they belong to root.
snapshot() { (cd "$stage" && find bin etc share -printf '%p %s %T@ %m\n' | sort); }
before=$(snapshot)

out=$(run kvxzot-cli info 2>&1) || fail "info: $out"
grep -q "^Install path: *$data\$" <<<"$out" || fail "info shows another installation: $out"
out=$(run kvxzot-cli templates 2>&1) || fail "templates: $out"
for name in KVX10 KVX20 KVX30 KVX35; do
  grep -q "^$name .*model" <<<"$out" || fail "template $name missing: $out"
done
out=$(run kvxzot-cli open "$data/ProfileTemplate/KVX30.jub" 2>&1) || fail "open: $out"
grep -q "D30" <<<"$out" || fail "open shows no radio model: $out"
run kvxzot-cli new KVX30 -o "$home/fleet.jub" >/dev/null || fail "new"
run kvxzot-cli open "$home/fleet.jub" >/dev/null || fail "open of a new profile"
[ -f "$home/.config/Varnholt/kvxzot.ini" ] || fail "the user configuration is not in XDG_CONFIG_HOME"
out=$(run kvxzot-cli report "$home/fleet.jub" --kind overview -o "$home/fleet.htm" 2>&1) || fail "report: $out"
[ -s "$home/fleet.htm" ] || fail "no report written"

# A desktop session that puts a folder of its own first in XDG_CONFIG_DIRS,
# and a system whose XDG folders do not name the prefix at all.
for dirs in "$stage/desktop:$stage/etc/xdg" "/nonexistent"; do
  out=$(config_dirs=$dirs run kvxzot-cli info 2>&1) || fail "info with XDG_CONFIG_DIRS=$dirs: $out"
  grep -q "^Install path: *$data\$" <<<"$out" || fail "XDG_CONFIG_DIRS=$dirs: $out"
done

# The windowed program opens a profile given to it, as a file manager gives
# it: the profile lands in the recent files once its window is open.
if [ "$gui" = 1 ]; then
  QT_QPA_PLATFORM=offscreen run kvxzot --no-splash "$home/fleet.jub" >"$stage/kvxzot.log" 2>&1 &
  window=$!
  for _ in $(seq 100); do
    grep -q "File1=$home/fleet.jub\$" "$home/.config/Varnholt/kvxzot.ini" && break
    sleep 0.1
  done
  # The background job is a subshell running the program, or the program.
  kill $(pgrep -P "$window") "$window" 2>/dev/null || true
  wait "$window" 2>/dev/null || true
  grep -q "File1=$home/fleet.jub\$" "$home/.config/Varnholt/kvxzot.ini" \
    || fail "kvxzot did not open the profile: $(cat "$stage/kvxzot.log")"
fi

[ "$before" = "$(snapshot)" ] || fail "the installed files changed: $(diff <(echo "$before") <(snapshot))"

# The manual pages keep up with the programs' own help.
cli_page=$(zcat "$stage/share/man/man1/kvxzot-cli.1.gz")
for command in $(run kvxzot-cli --help | awk '/^Commands:/ { listed = 1; next } listed && /^  [a-z]/ { print $1 }'); do
  grep -qE "^\.BI? $command( |\$)" <<<"$cli_page" || fail "kvxzot-cli.1 does not describe $command"
done
sim_page=$(zcat "$stage/share/man/man1/kvxzot-radiosim.1.gz")
for option in $(run kvxzot-radiosim --help | grep -oE -- '--[a-z][a-z-]*' | grep -v '^--help'); do
  grep -qF -- "\\-\\-${option#--}" <<<"$sim_page" || fail "kvxzot-radiosim.1 does not describe $option"
done

# Completion: commands and options from the installed program's help.
complete_line() {
  run bash -c 'source /usr/share/bash-completion/bash_completion
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _kvxzot_cli kvxzot-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$stage/share/bash-completion/completions/kvxzot-cli" "$@"
}
[ "$(complete_line kvxzot-cli tem)" = templates ] || fail "completion of a command: $(complete_line kvxzot-cli tem)"
[ "$(complete_line kvxzot-cli read --p | sort | xargs)" = "--password --port" ] \
  || fail "completion of an option: $(complete_line kvxzot-cli read --p)"
[ "$(complete_line kvxzot-cli add x.jub Pri | xargs)" = "PrivateGroups Privates" ] \
  || fail "completion of a folder: $(complete_line kvxzot-cli add x.jub Pri)"
[ "$(complete_line kvxzot-cli report x.jub --kind o)" = overview ] \
  || fail "completion of a report kind: $(complete_line kvxzot-cli report x.jub --kind o)"
[ "$(complete_line kvxzot-cli new KVX3 | xargs)" = "KVX30 KVX35" ] \
  || fail "completion of a template: $(complete_line kvxzot-cli new KVX3)"

# Desktop integration: the installed files with the windowed program, the
# build's own copies without it.
if [ "$gui" = 1 ]; then
  desktop=$stage/share/applications/com.varnholt.kvxzot.desktop
  mime=$stage/share/mime/packages/com.varnholt.kvxzot.xml
  metainfo=$stage/share/metainfo/com.varnholt.kvxzot.metainfo.xml
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  for file in scalable/apps/$icon.svg 48x48/apps/$icon.png 256x256/apps/$icon.png; do
    [ -s "$stage/share/icons/hicolor/$file" ] || fail "no icon $file"
  done
else
  desktop=$source/packaging/desktop/com.varnholt.kvxzot.desktop
  mime=$source/packaging/desktop/com.varnholt.kvxzot.xml
  metainfo=$build/packaging/com.varnholt.kvxzot.metainfo.xml
fi
desktop-file-validate "$desktop" || fail "desktop entry"
grep -qx 'Exec=kvxzot %F' "$desktop" || fail "the desktop entry does not open files"
appstreamcli validate --no-net "$metainfo" >/dev/null || { appstreamcli validate --no-net "$metainfo"; fail "AppStream metadata"; }
mkdir -p "$stage/mime/packages"
cp "$mime" "$stage/mime/packages/"
update-mime-database "$stage/mime" || fail "MIME type"
grep -q '^application/x-kvxzot-profile:\*\.jub$' "$stage/mime/globs" || fail "no MIME type for *.jub"
echo "install test passed"
