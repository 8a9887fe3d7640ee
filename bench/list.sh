#!/usr/bin/env bash
# Loading and sorting 20,000 list rows, as ratios against the direct floor.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
start_wine_session own
"$WINE" "$BUILD/benchbin/bench_list.exe" </dev/null 2>/dev/null | tr -d '\r'
