#!/usr/bin/env bash
# Sets up what is missing, builds Kelvorn into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
# The game window is not built yet: the game runs in the headless driver, which reads
# commands from the terminal (try: wait, dump, menu game-start, answer yes).
echo "Kelvorn has no window yet: type driver commands, one per line (kelvorn-play --help lists them)." >&2
exec build/bin/kelvorn-play "$@"
