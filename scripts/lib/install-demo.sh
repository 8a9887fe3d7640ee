#!/usr/bin/env bash
# Gives a fresh program folder a standard list so a first start shows something.
set -euo pipefail
bin=$1
[ -f "$bin/zelvista.lst" ] && exit 0
printf 'Ver,3.00\r\nSCR,Starfield.scr,0,C:\\windows\\system32\\,\xbd\xb8\xd8\xb0\xdd\xbe\xb0\xca\xde\xb0,NULL,EOD\r\n' >"$bin/zelvista.lst"
