#!/usr/bin/env bash
# Loading and sorting 20,000 list rows, as ratios against the direct floors.
# Usage: bench/list.sh [ROUNDS]   (default 15)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
start_wine_session own
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/benchbin/bench_list.exe" ${1:+"$1"} </dev/null 2>/dev/null | tr -d '\r'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
