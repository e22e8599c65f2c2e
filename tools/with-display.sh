#!/usr/bin/env bash
# Runs a command on a private virtual X display, with no sound card needed. The screen is
# 1024x768 unless KELVORN_SCREEN names another (e.g. KELVORN_SCREEN=1920x1080).
set -euo pipefail
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# -noreset: by default the server resets whenever its last client leaves, and a window
# opened during the reset (the next test's, right after one closed) fails to connect.
exec xvfb-run -a -s "-screen 0 ${KELVORN_SCREEN:-1024x768}x24 -nolisten tcp -noreset" "$@"
