#!/usr/bin/env bash
# The tests of where windows come back, on displays whose work area starts
# below or right of the screen's origin, as with a task bar at the top or on
# the left. The main suite runs the same tests with the work area at the
# origin.
#   tests/work_area.sh [LEFT,TOP ...]   (default: 0,40 and 60,0)
# Wine takes the work area from the window manager's _NET_WORKAREA on the X
# root window, read when its desktop starts, and only without its virtual
# desktop: each offset gets an Xvfb of its own with that property set (and a
# client that stays connected, since an X server that loses its last client
# starts afresh and drops it), and the prefix without the virtual desktop.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
offsets=("$@")
[ ${#offsets[@]} -gt 0 ] || offsets=(0,40 60,0)

status=0
for offset in "${offsets[@]}"; do
  left=${offset%,*}
  top=${offset#*,}
  start_display own || exit 1
  xprop -root -spy >/dev/null 2>&1 &
  keeper=$!
  sleep 0.2
  xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "$left, $top, $((1024 - left)), $((768 - top))"
  ensure_monitor_prefix
  start_wineserver
  echo "work area from ($left,$top):"
  ZELVISTA_TEST_WORK_AREA=$offset "$WINE" "$BUILD/testbin/zelvista_tests.exe" --gtest_brief=1 \
    --gtest_filter='*WhateverTheWorkArea*' || status=1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  kill "$keeper" 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  unset DISPLAY
done
exit $status
