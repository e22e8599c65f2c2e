#!/usr/bin/env bash
# Every program refuses a bad command line (an unknown option, a missing value, a value
# that is not a number, out of range, or an option where a value belongs) with status 2
# and a usage line on standard error, before it does anything: run in an empty folder,
# it leaves the folder empty. Every program names its version.
#   command_lines_test.sh BIN_DIR VERSION
set -uo pipefail
bin=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
failures=0

while read -r program args; do
  [ -z "$program" ] && continue
  status=0
  # shellcheck disable=SC2086  # the table's arguments are split as a shell splits them
  (cd "$work/run" && exec "$bin/$program" $args) </dev/null >"$work/out" 2>"$work/err" || status=$?
  left=$(ls -A "$work/run")
  if [ "$status" -ne 2 ] || ! grep -q '^ *usage: ' "$work/err" || [ -n "$left" ]; then
    echo "FAIL: $program $args -> status $status, files left: '$left'"
    cat "$work/err"
    failures=$((failures + 1))
  fi
  rm -rf "${work:?}/run/"* "$work/run/".[!.]* 2>/dev/null
done <<'TABLE'
kelvorn --screenshot abc x.png
kelvorn --screenshot 300 --help
kelvorn --screenshot 300
kelvorn --screenshot -5 x.png
kelvorn --replay-speed=0
kelvorn --replay-speed=fast
kelvorn --prologue=maybe
kelvorn --replay
kelvorn --nothing
kelvorn stray
kelvorn-play --load --prologue
kelvorn-play --prologue maybe
kelvorn-play --record
kelvorn-play --overwrite
kelvorn-play --nothing
kelvorn-play stray
kelvorn-play-drawn --script
kelvorn-play-drawn --holder --record x.txt
kelvorn-solve --to-floor abc
kelvorn-solve --to-floor 51
kelvorn-solve --to-floor 5 --to-ending
kelvorn-solve --seconds 0 --to-ending
kelvorn-solve --max-states 1e6 --to-ending
kelvorn-solve --load --to-ending
kelvorn-solve
kelvorn-soak --seed -1
kelvorn-soak --seconds 5s
kelvorn-soak --commands 99999999999999999999
kelvorn-soak --folder --keep-going
kelvorn-soak --replay a --shrink b
kelvorn-shot
kelvorn-shot x.png wait:abc
kelvorn-shot x.png click:15
kelvorn-shot x.png dance
kelvorn-shot x.png --nothing
kelvorn-floorcheck --floor 51
kelvorn-floorcheck --floor 9-3
kelvorn-floorcheck --floor
kelvorn-floorcheck a.txt b.txt
kelvorn-stage
kelvorn-stage --help-me
kelvorn-stage x.sav set:1=2x
kelvorn-stage x.sav cell:51:0=1
TABLE

for program in kelvorn kelvorn-play kelvorn-play-drawn kelvorn-solve kelvorn-soak kelvorn-shot \
  kelvorn-floorcheck kelvorn-stage; do
  line=$("$bin/$program" --version </dev/null)
  if [ "$line" != "$program $version" ]; then
    echo "FAIL: $program --version printed '$line'"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
