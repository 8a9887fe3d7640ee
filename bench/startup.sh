#!/usr/bin/env bash
# Start-up of Zelvista with a standard list of 1,000 entries against a bare
# list view program, as a ratio; and its private memory with 20,000 rows.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all
start_wine_session own
program_folder=$("$WINE" winepath -w "$BUILD/bin" 2>/dev/null | tr -d '\r')
bare=$("$WINE" winepath -w "$BUILD/benchbin/bench_bare_listview.exe" 2>/dev/null | tr -d '\r')
"$WINE" "$BUILD/benchbin/bench_startup.exe" "$program_folder" "$bare" </dev/null 2>/dev/null | tr -d '\r'
