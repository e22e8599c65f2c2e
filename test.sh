#!/usr/bin/env bash
# Sets up what is missing, builds Kelvorn into build/ and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
cmake -S . -B build -DKELVORN_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
# Tests never need a sound card or a display of their own.
export SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j"$(nproc)"
