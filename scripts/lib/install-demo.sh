#!/usr/bin/env bash
# Gives the program folder a standard list naming our screen savers: each one
# loose, and the members of the demo archives (LZH, ZIP, CAB), so that a
# start shows something. A list the user has saved is left alone; one this
# script wrote earlier is brought up to date.
#   install-demo.sh BIN
set -euo pipefail
bin=$1
list=$bin/zelvista.lst
stamp=$bin/.demo-list  # a copy of the list last written here
source "$(dirname "$0")/x11-steps.sh"
folder=$(windows_path "$bin")
[ -n "$folder" ] || exit 0
# A list field can hold no comma.
case $folder in *,*) echo "install-demo: no demo list, the folder name holds a comma" >&2; exit 0 ;; esac

cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
loose=$(cp932 'ｽｸﾘｰﾝｾｰﾊﾞｰ')
rows=""
for scr in "$bin"/*.scr; do
  [ -f "$scr" ] || continue
  rows+="SCR,$(basename "$scr"),0,$folder\\,$loose,NULL,EOD"$'\r\n'
done
for kind in LZH ZIP CAB; do
  for archive in "$bin"/*."${kind,,}"; do
    [ -f "$archive" ] || continue
    name=$(basename "$archive")
    rows+="SCR,${name%.*}.scr,0,$folder\\,$(cp932 "書庫($kind)"),$name,EOF"$'\r\n'
  done
done
[ -n "$rows" ] || exit 0
content="Ver,3.00"$'\r\n'"$rows"

if [ -f "$list" ]; then
  # The one-line list of earlier versions of this script counts as ours too.
  earlier=$(printf 'Ver,3.00\r\nSCR,Starfield.scr,0,%s\\,%s,NULL,EOD\r\n' "$folder" "$loose")
  current=$(cat "$list")
  if ! { [ -f "$stamp" ] && [ "$current" = "$(cat "$stamp")" ]; } && [ "$current" != "$earlier" ]; then
    exit 0
  fi
fi
printf '%s' "$content" >"$list"
cp "$list" "$stamp"
