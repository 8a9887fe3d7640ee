#!/usr/bin/env bash
# Runs a test program under another locale, as Windows does on another
# language setting: Wine takes the process's code page from LANG unless the
# program's manifest asks for one.
#   run_in_locale.sh LOCALE CODE_PAGE PROGRAM [ARGUMENTS...]
# CODE_PAGE is the code page the program must get (the tests check it). Run
# under the Wine session scripts/test sets up (WINEPREFIX, DISPLAY, wineserver).
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
: "${WINEPREFIX:?run it in the Wine session of scripts/test}"
export LANG=$1 LC_ALL=$1 ZELVISTA_TEST_CODE_PAGE=$2
shift 2
"$WINE" "$@"
