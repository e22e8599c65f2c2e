#!/usr/bin/env bash
# The sanitized stage of CI, run after ./test.sh: everything built with AddressSanitizer
# and UndefinedBehaviorSanitizer into build-asan/, then the whole test suite there (with
# every fuzz target replaying its seed files and fuzz/regressions/), then the soak.
#
#   tools/check-sanitized.sh [SOAK_SECONDS]
#
# SOAK_SECONDS defaults to 60; $SOAK_SEED picks the soak's seed (default 1). A soak
# finding is kept in build-asan/soak/finding-SEED-GAME/ with the script that replays
# it. Prints how long each part took; exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
seconds=${1:-60}
seed=${SOAK_SEED:-1}
case $seconds$seed in '' | *[!0-9]*) echo "check-sanitized.sh: SOAK_SECONDS and SOAK_SEED are numbers" >&2; exit 2 ;; esac

started=$(date +%s)
# Without optimisation the sanitized sources compile four times faster than at -O2;
# every check is the same.
cmake -S . -B build-asan -DKELVORN_SANITIZE=ON -DKELVORN_WERROR=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j"$(nproc)"
built=$(date +%s)

export SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
# The tests labelled optimised-only search the whole tower: too slow for this build, and
# the solver's own tests cover its code here.
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -LE optimised-only
tested=$(date +%s)

rm -rf build-asan/soak
status=0
build-asan/bin/kelvorn-soak --seed "$seed" --seconds "$seconds" --folder build-asan/soak || status=$?
soaked=$(date +%s)

echo "check-sanitized.sh: build $((built - started)) s, tests $((tested - built)) s," \
     "soak $((soaked - tested)) s, in all $((soaked - started)) s"
exit $status
