#!/usr/bin/env bash
# Gives a fresh program folder a standard list naming our demo screen saver,
# so that a first start shows something. An existing list is left alone.
set -euo pipefail
bin=$1
[ -f "$bin/zelvista.lst" ] && exit 0
folder=$("${WINE:-wine}" winepath -w "$bin" 2>/dev/null | tr -d '\r')
[ -n "$folder" ] || exit 0
type=$(printf 'ｽｸﾘｰﾝｾｰﾊﾞｰ' | iconv -f UTF-8 -t CP932)
printf 'Ver,3.00\r\nSCR,Starfield.scr,0,%s\\,%s,NULL,EOD\r\n' "$folder" "$type" >"$bin/zelvista.lst"
