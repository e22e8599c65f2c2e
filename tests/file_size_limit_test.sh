#!/usr/bin/env bash
# Under a file-size limit (ulimit -f), as on a full disk, the programs report the write
# that failed and go on or end by themselves, rather than being killed by SIGXFSZ; a slot
# that could not be replaced stays as it was.
#   file_size_limit_test.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
# limited COMMAND...: runs it with no file allowed to grow; its status and output are
# kept in $status and $out. (within [WRAPPER...] applies the limit inside a wrapper.)
limited() { within "" "$@"; }
within() {
  local wrapper=$1
  shift
  status=0
  out=$($wrapper bash -c 'ulimit -f 0 && exec "$@"' limited "$@" 2>&1) || status=$?
}

# kelvorn-play: the hero holds the orb of the hero, so the Save menu is open.
"$bin/kelvorn-stage" old.sav set:17=1 set:0=1111
"$bin/kelvorn-stage" new.sav set:17=1 set:0=2222
mkdir holder
cp old.sav holder/save1.dat
limited sh -c "printf 'menu save 1\nanswer yes\ndump\nanswer ok\n' |
  '$bin/kelvorn-play' --holder holder --load new.sav --prologue off"
[ "$status" -eq 0 ] || fail "kelvorn-play ended with $status: $out"
grep -q '"box":"The game was not saved: cannot write holder/save1.dat: File too large"' \
  <<<"$out" || fail "kelvorn-play did not report the failed save: $out"
cmp -s old.sav holder/save1.dat || fail "the slot changed"

# kelvorn-stage: an error and status 1, and no file.
limited "$bin/kelvorn-stage" staged.sav
[ "$status" -eq 1 ] || fail "kelvorn-stage ended with $status: $out"
grep -q "cannot write staged.sav: File too large" <<<"$out" || fail "kelvorn-stage said: $out"

# The window: its files at start-up and the screenshot at the end.
# Its own folders, the single-instance lock's included, so no other window is in its way.
export HOME=$work/home XDG_CONFIG_HOME= XDG_DATA_HOME= XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
within "$source/tools/with-display.sh" "$bin/kelvorn" --screenshot 100 shot.png
[ "$status" -eq 1 ] || fail "kelvorn ended with $status: $out"
grep -q "cannot write shot.png: File too large" <<<"$out" || fail "kelvorn said: $out"

[ -z "$(find . -name '*.tmp')" ] || fail "temporary files were left: $(find . -name '*.tmp')"
echo "every program reported the write it could not make"
