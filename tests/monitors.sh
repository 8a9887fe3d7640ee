#!/usr/bin/env bash
# The tests that need several monitors, on a display of three monitors made by
# the multi-monitor tool (../shared/tools/multi-monitor beside the repository;
# it starts its own Xorg with the dummy driver, which needs root), in a Wine
# prefix of their own without the virtual desktop, which would hide the
# monitors. The same tests run, skipped or on one monitor, in the main suite.
#   tests/monitors.sh [LAYOUT]   (side, stack, three or 'WxH+X+Y ...'; default three)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
layout=${1:-three}
tool=${MULTI_MONITOR:-$ROOT/../shared/tools/multi-monitor}
[ -x "$tool" ] || { echo "monitors: no $tool" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "monitors: the multi-monitor tool needs root" >&2; exit 1; }

# The prefix is made once, on any display; its server must be gone before
# the tool starts (the tool ends it afterwards).
start_display
trap 'if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi' EXIT
ensure_monitor_prefix
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true

export WINE BUILD
filter='*MultiMonitor*:*MonitorThatIsGone*:*FullScreenProgram*'
"$tool" --layout "$layout" --dpi 96 -- bash -c '
  status=0
  cd "$BUILD/testbin"
  "$WINE" zelvista_tests.exe --gtest_brief=1 --gtest_filter="$0" || status=1
  "$WINE" saver_tests.exe --gtest_brief=1 --gtest_filter="*MultiMonitor*" || status=1
  exit $status' "$filter"
