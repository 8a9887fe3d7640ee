#!/usr/bin/env bash
# List playback: from the end of one entry's time to the next screen saver's
# window, against starting that screen saver by itself (loose and archived
# entries), and the program's processor share while a screen saver plays.
# Usage: bench/playback.sh [ROUNDS] [SECONDS]   (default 3 rounds, 60 s)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
rounds=${1:-3}
seconds=${2:-60}
"$ROOT/scripts/setup"
build_all

# The probe screen saver, loose and as a member of an LZH, a ZIP and a CAB archive.
data=$BUILD/bench_playback
bash "$ROOT/tests/fixtures/make_probe_archives.sh" "$BUILD/testbin/Probe.scr" "$data"
cp "$BUILD/testbin/Probe.scr" "$data/Probe.scr"
# The bench's program folder finds the libraries beside it, as the program does.
for dll in unlha32.dll unzip32.dll cab32.dll; do cp "$BUILD/bin/$dll" "$BUILD/benchbin/"; done

start_wine_session own
folder=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')
"$WINE" "$BUILD/benchbin/bench_playback.exe" "$folder" "$rounds" "$seconds" </dev/null 2>/dev/null | tr -d '\r'
