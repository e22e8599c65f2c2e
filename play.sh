#!/usr/bin/env bash
# Sets up what is missing, builds Kelvorn into build/ and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "play.sh: no desktop display here (DISPLAY is not set); the game needs a window." >&2
  exit 1
fi
exec build/bin/kelvorn "$@"
