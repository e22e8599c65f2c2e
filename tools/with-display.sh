#!/usr/bin/env bash
# Runs a command on a private virtual X display, with no sound card needed.
set -euo pipefail
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
