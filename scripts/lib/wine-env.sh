# Shared by scripts/run and scripts/test: build folder, Wine prefix, display.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${ZELVISTA_BUILD:-$ROOT/build}
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine

export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

build_all() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  cmake --build "$BUILD"
}

XVFB_PID=""
# Uses $DISPLAY when there is one (and $1 is not "own"), else a new Xvfb.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != own ]; then return; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return
      sleep 0.1
    done
  done
  echo "no X display could be started" >&2
  return 1
}

# Fonts the dialogs and menus ask for, mapped to the installed IPA fonts so
# that Japanese texts show.
write_font_replacements() {
  local reg="$WINEPREFIX/fonts.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS PGothic" "MS Gothic" "MS UI Gothic" \
                "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif"; do
      printf '"%s"="IPAPGothic"\r\n' "$face"
    done
    printf '\r\n'
    # One virtual desktop for every program: windows get frames, and hiding a
    # window does not wait for a window manager that is not there. Not in the
    # prefix for several monitors: a virtual desktop is one monitor.
    if [ "${NO_VIRTUAL_DESKTOP:-}" != 1 ]; then
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    fi
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  "$WINE" regedit /S "$reg" >/dev/null 2>&1
}

# Wine takes code page 932 from this locale. It is exported only here, after
# scripts/setup has made sure the locale exists: set earlier, every program
# that setup starts on a fresh machine would warn about a missing locale.
use_japanese_locale() {
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# Wine draws the caption buttons with the Marlett font. Debian keeps Wine's
# own fonts in /usr/share/wine/fonts, where this Wine does not look for them,
# so without a copy in the prefix the buttons show the letters "0 1 r".
install_caption_font() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# The display's DPI (LogPixels): 96 is Windows' 100 %, 144 its 150 %. Programs
# started afterwards see it.
set_prefix_dpi() {
  local reg="$WINEPREFIX/dpi.reg"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$1" >"$reg"
  printf '[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\r\n"LogPixels"=dword:%08x\r\n' "$1" >>"$reg"
  "$WINE" regedit /S "$reg" >/dev/null 2>&1
}

# A prefix of our own, made once inside the build folder and left to settle
# before the first program runs.
ensure_prefix() {
  use_japanese_locale
  export WINEPREFIX=${WINEPREFIX_OVERRIDE:-$BUILD/wineprefix}
  if [ ! -f "$WINEPREFIX/.zelvista-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    write_font_replacements
    wineserver -w
    touch "$WINEPREFIX/.zelvista-ready"
  fi
  install_caption_font
}

# A second prefix, without the virtual desktop, for the runs on several
# monitors (tests/monitors.sh): Wine then reports the display's monitors.
ensure_monitor_prefix() {
  WINEPREFIX_OVERRIDE=$BUILD/wineprefix-monitors NO_VIRTUAL_DESKTOP=1 ensure_prefix
}

# A persistent server, and Wine's own services started with their output
# going nowhere: started by a test instead, they would inherit ctest's pipe
# and keep it waiting after the tests end.
start_wineserver() {
  wineserver -p >/dev/null 2>&1 </dev/null
  "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_all() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# A display, a prepared prefix and a wineserver for one script, all ended when
# the script exits. $1: as for start_display ("own" for an Xvfb of its own).
start_wine_session() {
  start_display "${1:-}"
  trap stop_all EXIT
  ensure_prefix
  start_wineserver
}
