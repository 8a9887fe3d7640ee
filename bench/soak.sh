#!/usr/bin/env bash
# Reliability soak: the changer and full-screen playback switching every
# second through probe screen savers with every misbehaviour. Prints the
# program's handles, private memory and GDI/USER objects as it goes, the
# screen savers left running and the files left in the work folder.
# Usage: bench/soak.sh [SWITCHES]   (default 1000)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
switches=${1:-1000}
"$ROOT/scripts/setup"
build_all

data=$BUILD/bench_soak
bash "$ROOT/tests/fixtures/make_probe_archives.sh" "$BUILD/testbin/Probe.scr" "$data"
for name in normal ownclass noarg-runs linger400-end300 ownclass-linger400-end300 nowindow exitnow crash \
            ignoreclose forever end300; do
  cp "$BUILD/testbin/Probe.scr" "$data/Soak-$name.scr"
done
# The bench's program folder finds the libraries beside it, as the program does.
for dll in unlha32.dll unzip32.dll cab32.dll; do cp "$BUILD/bin/$dll" "$BUILD/benchbin/"; done

start_wine_session own
folder=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')
"$WINE" "$BUILD/benchbin/bench_soak.exe" "$folder" "$switches" </dev/null 2>/dev/null | tr -d '\r'
