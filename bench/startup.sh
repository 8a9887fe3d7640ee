#!/usr/bin/env bash
# Start-up of Zelvista with a standard list of 1,000 entries against a bare
# list view program with the same rows, as the median of the rounds' own
# ratios; and its private memory with 20,000 rows.
# Usage: bench/startup.sh [ROUNDS]   (default 41)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
start_wine_session own
program_folder=$("$WINE" winepath -w "$BUILD/bin" 2>/dev/null | tr -d '\r')
bare=$("$WINE" winepath -w "$BUILD/benchbin/bench_bare_listview.exe" 2>/dev/null | tr -d '\r')
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/benchbin/bench_startup.exe" "$program_folder" "$bare" ${1:+"$1"} </dev/null 2>/dev/null | tr -d '\r'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
