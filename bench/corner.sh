#!/usr/bin/env bash
# The corner timer's tick with one monitor and with three, in microseconds,
# each against the floor of the same run, and three against one as a ratio
# (the tick looks at every monitor). Runs under the multi-monitor tool, which
# needs root.  bench/corner.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
tool=${MULTI_MONITOR:-$ROOT/../shared/tools/multi-monitor}
start_display own
trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
ensure_monitor_prefix
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
export WINE BUILD
run() {
  "$tool" --layout "$1" -- bash -c '"$WINE" "$BUILD/benchbin/bench_corner.exe" "$0" </dev/null 2>/dev/null' "${2:-7}" 2>/dev/null |
    tr -d '\r'
}
one=$(run '1920x1080+0+0' "${1:-7}")
three=$(run three "${1:-7}")
echo "$one"
echo "$three"
t1=$(sed -n 's/.*corner tick \([0-9.]*\) us.*/\1/p' <<<"$one")
t3=$(sed -n 's/.*corner tick \([0-9.]*\) us.*/\1/p' <<<"$three")
awk -v a="$t1" -v b="$t3" 'BEGIN { if (a > 0) printf "three monitors against one: %.2f (goal: at most 2)\n", b / a }'
