#!/usr/bin/env bash
# Start-to-window time of our screen savers (/s) against a bare window
# program started the same way, as ratios.  bench/savers.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
start_wine_session own
"$WINE" "$BUILD/benchbin/bench_saver_start.exe" "${1:-15}" </dev/null 2>/dev/null | tr -d '\r'
