#!/usr/bin/env bash
# Runs a test program with the display at another DPI, then puts the display
# back at 96 DPI, whatever the tests did.
#   run_at_dpi.sh DPI PROGRAM [ARGUMENTS...]
# Wine reads the DPI (LogPixels) when a process starts, so PROGRAM sees DPI
# while the rest of the suite, started before or after, sees 96. Run under
# the Wine session scripts/test sets up (WINEPREFIX, DISPLAY, wineserver).
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
: "${WINEPREFIX:?run it in the Wine session of scripts/test}"
dpi=$1
shift
trap 'set_prefix_dpi 96' EXIT
set_prefix_dpi "$dpi"
# The tests check that the display is at this DPI.
ZELVISTA_TEST_DPI=$dpi "$WINE" "$@"
