#!/usr/bin/env bash
# A file named on kelvorn-play's command line that cannot be used ends the run with
# status 5 and one line on standard error, before anything is played: a save to load
# that is missing, short, damaged or a folder; a script that is a device or a folder;
# a replay whose start file would replace a file the run did not write. kelvorn-play-drawn
# and kelvorn-solve share the check. With --overwrite the replay replaces its start file.
#   start_files_test.sh BIN_DIR
set -uo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
"$bin/kelvorn-stage" good.sav set:3=77
head -c 100 good.sav > short.sav
cp good.sav damaged.sav
printf '\011' | dd of=damaged.sav bs=1 seek=6273 conv=notrunc status=none  # Life 9
mkdir folder
cp good.sav save1.dat
failures=0

refused() {  # PROGRAM ARGS...: status 5, one line on standard error, nothing played
  status=0
  printf 'dump\n' | "$bin/$1" "${@:2}" >out 2>err || status=$?
  if [ "$status" -ne 5 ] || [ "$(wc -l <err)" -ne 1 ] || [ -s out ]; then
    echo "FAIL: $* -> status $status, stdout $(wc -c <out) bytes, standard error:"
    cat err
    failures=$((failures + 1))
  fi
}
for program in kelvorn-play kelvorn-play-drawn; do
  for file in missing.sav short.sav damaged.sav folder; do refused "$program" --load "$file"; done
  refused "$program" --script /dev/zero
  refused "$program" --script folder
  refused "$program" --record save1.txt
done
for file in missing.sav short.sav damaged.sav folder; do
  refused kelvorn-solve --load "$file" --to-ending
done
cmp -s good.sav save1.dat || { echo "FAIL: save1.dat was changed"; failures=$((failures + 1)); }

printf 'wait\nleft\nwait\n' | "$bin/kelvorn-play" --prologue off --record save1.txt --overwrite \
  || { echo "FAIL: --overwrite refused"; failures=$((failures + 1)); }
cmp -s good.sav save1.dat && { echo "FAIL: --overwrite kept save1.dat"; failures=$((failures + 1)); }
exit $((failures > 0))
