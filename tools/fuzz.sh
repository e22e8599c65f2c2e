#!/bin/sh
# Fuzzes every reader of the player's files (save slots, options, ranking tables, names,
# KVN12.INI) and the game loading any decoded save, with libFuzzer under AddressSanitizer
# and UndefinedBehaviorSanitizer. Not part of the normal build or of ./test.sh.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 60, or $FUZZ_SECONDS); TARGETs among
# save options ranking names ini load (default all). The sources are compiled directly
# with clang++ 14 into build-fuzz/ (or $FUZZ_DIR); seed files are generated into
# fuzz/corpus/<target>/, new inputs found go to build-fuzz/corpus/<target>/ and crashes
# to build-fuzz/artifacts/. Exits non-zero when a target finds a fault.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
[ $# -gt 0 ] && shift
targets=${*:-save options ranking names ini load}
out=${FUZZ_DIR:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++-14}
jobs=${FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}

case $seconds in '' | *[!0-9]*) echo "fuzz.sh: SECONDS must be a number, not '$seconds'" >&2; exit 2 ;; esac

if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "fuzz.sh: $cxx not found; install the package clang-14" >&2
  exit 2
fi
if ! ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 &&
   ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long){return 0;}' |
     "$cxx" -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  echo "fuzz.sh: the libFuzzer runtime is missing; install the package libclang-rt-14-dev" >&2
  exit 2
fi

mkdir -p "$out/obj" "$out/gen" "$out/bin" "$out/corpus" "$out/artifacts" "$out/logs"
flags="-std=c++20 -g -O1 -fno-omit-frame-pointer -I$root -fsanitize=address,undefined -fno-sanitize-recover=undefined"

# The built-in tables and the picture sheets' index, embedded as the CMake build does it.
embed() {
  cmake -DIN="$root/$1" -DOUT="$out/gen/embedded_$3.cpp" -DNS="$2" -DFUNC="$3" \
        -P "$root/cmake/embed_file.cmake"
}
embed content/data/messages.txt kelvorn::content messagesText
embed content/data/monsters.txt kelvorn::content monstersText
embed content/data/floors.txt kelvorn::content floorsText
embed assets/sheet_index.txt kelvorn::art sheetIndexText

# Every source of the content, art index, engine and storage libraries, compiled once (in parallel);
# again when the source changed, and all of them when a header changed since.
stamp="$out/obj/.stamp"
rebuild_all=no
if [ ! -f "$stamp" ] || [ -n "$(find "$root/content" "$root/assets" "$root/rules" "$root/view" "$root/storage" -name '*.h' \
     -newer "$stamp" | head -1)" ]; then
  rebuild_all=yes
fi
echo "fuzz.sh: compiling the game's sources"
touch "$out/obj/.started"
for src in "$root"/content/*.cpp "$root"/assets/sheet_index.cpp "$root"/rules/*.cpp "$root"/view/*.cpp "$root"/storage/*.cpp "$out"/gen/*.cpp; do
  obj="$out/obj/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"
  if [ $rebuild_all = yes ] || [ ! -f "$obj" ] || [ "$src" -nt "$obj" ]; then
    echo "$src $obj"
  fi
done | xargs -r -P "$jobs" -n 2 sh -c "$cxx $flags -fsanitize=fuzzer-no-link -c \"\$0\" -o \"\$1\" || exit 255"
mv "$out/obj/.started" "$stamp"
objs=$(ls "$out"/obj/*.o)

# The seed files, written by a program that uses the game's own encoders.
"$cxx" $flags "$root/fuzz/make_corpus.cpp" $objs -o "$out/bin/make_corpus"
"$out/bin/make_corpus" "$root/fuzz/corpus"

status=0
summary=""
for t in $targets; do
  src="$root/fuzz/fuzz_$t.cpp"
  [ -f "$src" ] || { echo "fuzz.sh: no target '$t'" >&2; exit 2; }
  echo "fuzz.sh: building fuzz_$t"
  "$cxx" $flags -fsanitize=fuzzer "$src" $objs -o "$out/bin/fuzz_$t"
  mkdir -p "$out/corpus/$t" "$out/artifacts/$t"
  echo "fuzz.sh: running fuzz_$t for $seconds s"
  log="$out/logs/$t.log"
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$out/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$out/artifacts/$t/" -print_final_stats=1 \
       "$out/corpus/$t" "$root/fuzz/corpus/$t" >"$log" 2>&1; then
    result=ok
  else
    result="FAULT (see $log and $out/artifacts/$t/)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  line=$(printf '%-8s %12s runs %8s/s  %-10s %s' "$t" "${runs:-?}" "${speed:-?}" "${cov:-}" "$result")
  echo "$line"
  summary="$summary$line
"
done
echo
echo "fuzz.sh: summary ($seconds s per target)"
printf '%s' "$summary"
exit $status
