#!/usr/bin/env bash
# Measures the game window on a virtual display: time from start to the first frame,
# CPU use over 10 s of idle play, and peak resident memory. Run after building.
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/bin/kelvorn}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

cat > "$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
game=$1 work=$2
"$game" --prologue=off --report-startup 2> "$work/stderr" &
pid=$!
sleep 2  # let start-up settle before measuring idle play
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
t0=$(ticks)
sleep 10
t1=$(ticks)
hz=$(getconf CLK_TCK)
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true
grep 'first frame' "$work/stderr" || echo "first frame: not reported"
awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN {printf "idle CPU over 10 s: %.2f %% of one core\n", 100 * d / hz / 10}'
echo "peak resident memory: $((peak / 1024)) MB"
INNER
chmod +x "$work/measure.sh"
tools/with-display.sh "$work/measure.sh" "$game" "$work"
