#!/usr/bin/env bash
# Preparing a 1 MB archived screen saver (LZH, ZIP, CAB) against its floor
# (library load + the same decoder into memory + one write), as ratios
# measured in the same run.
# Usage: bench/launch.sh [ROUNDS]   (default 61)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
"$ROOT/scripts/setup"
build_all

# A 1 MB screen saver: the start of our own program, so it packs as programs do.
data=$BUILD/bench_launch
rm -rf "$data"
mkdir -p "$data"
head -c 1048576 "$BUILD/bin/Zelvista.exe" >"$data/Payload.scr"
while [ "$(stat -c %s "$data/Payload.scr")" -lt 1048576 ]; do
  cat "$BUILD/bin/Zelvista.exe" >>"$data/Payload.scr"
done
truncate -s 1048576 "$data/Payload.scr"
(cd "$data" && LC_ALL=C lha a2o5 payload.lzh Payload.scr >/dev/null 2>&1)
(cd "$data" && 7zz a -tzip -mm=Deflate payload.zip Payload.scr >/dev/null)
(cd "$data" && gcab -c -z payload.cab Payload.scr >/dev/null)
ls -l "$data" | awk 'NR > 1 { printf "  %-12s %8d bytes\n", $9, $5 }'

# The bench's program folder finds the libraries beside it, as the program does.
for dll in unlha32.dll unzip32.dll cab32.dll; do cp "$BUILD/bin/$dll" "$BUILD/benchbin/"; done

start_wine_session own
folder=$("$WINE" winepath -w "$data" 2>/dev/null | tr -d '\r')
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/benchbin/bench_launch.exe" "$folder" ${1:+"$1"} </dev/null | tr -d '\r'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
