#!/usr/bin/env bash
# A proper install: `cmake --install` into a fresh prefix, which is then moved elsewhere;
# the desktop entry and the AppStream file pass their standard validators, the icons have
# their sizes, and the installed game, started once on a virtual display, finds its
# pictures below its own prefix.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
prefix=$work/moved
id=org.kelvorn.Kelvorn

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
for size in 48 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$png" ] || fail "no $png"
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [ "$w $h" = "$size $size" ] || fail "$png is $w x $h"
done
grep -q '<svg ' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
for program in kelvorn kelvorn-play; do
  [ -x "$prefix/bin/$program" ] || fail "no $program in $prefix/bin"
done

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$source/tools/with-display.sh" "$prefix/bin/kelvorn" --prologue=off --screenshot 300 \
  "$work/shot.png" 2>"$work/stderr" || { cat "$work/stderr" >&2; fail "the game did not run"; }
if grep -q 'missing' "$work/stderr"; then cat "$work/stderr" >&2; fail "pictures not found"; fi
[ -s "$work/shot.png" ] || fail "no picture of the window"
# The game names the folder it found its pictures in as the program folder.
[ "$(sed -n 2p "$XDG_CONFIG_HOME/kelvorn/KVN12.INI")" = "$prefix/share/kelvorn" ] ||
  fail "the game did not take its data from $prefix/share/kelvorn"
printf 'wait\ndump\n' | "$prefix/bin/kelvorn-play" --prologue off | grep -q '^{"state":' ||
  fail "the installed driver did not run"
echo "install_test: installed, moved and ran from $prefix"
