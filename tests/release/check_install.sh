#!/usr/bin/env bash
# Installs the release's setup.exe silently under Wine, starts the installed
# program and closes it, uninstalls silently and checks that everything it
# installed is gone while the user's lists stay.
#   check_install.sh SETUP_EXE
# Needs the prefix, server and display of scripts/lib/wine-env.sh.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/wine-env.sh"
source "$(dirname "$0")/../../scripts/lib/x11-steps.sh"
setup=$1

failures=0
fail() { echo "install check: FAILED: $*" >&2; failures=$((failures + 1)); }
pass() { echo "install check: ok: $*"; }
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# The uninstaller runs on as a copy of itself: wait until it has finished.
uninstall() {
  "$WINE" "$dir/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the uninstaller ended with an error"
  # The uninstaller runs on from a copy of itself and removes the shortcut,
  # the uninstall entry and the empty folder after its own file: wait for the
  # last of them, within a bound.
  local _
  for _ in $(seq 150); do
    [ ! -e "$dir/uninstall.exe" ] && [ ! -e "$dir/Zelvista.exe" ] && [ ! -e "$shortcut" ] && break
    sleep 0.2
  done
  for _ in $(seq 20); do
    "$WINE" reg query "$uninstall_key" >/dev/null 2>&1 || break
    sleep 0.5
  done
  for _ in $(seq 50); do
    [ -e "$dir" ] && [ -z "$(ls -A "$dir" 2>/dev/null)" ] || break
    sleep 0.2
  done
}

local_appdata=$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
dir=$(unix_path "$local_appdata\\Programs\\Zelvista")
appdata=$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
shortcut=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Zelvista.lnk")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvista'
[ -n "$local_appdata" ] && [ -n "$dir" ] || { echo "install check: no user folder in the prefix" >&2; exit 1; }

# A fresh start: no earlier install, no stored options (starting in the tray
# would hide the window this check waits for).
rm -rf "$dir" "$shortcut"
"$WINE" reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
"$WINE" reg delete 'HKCU\Software\Tandelworks\Zelvista' /f >/dev/null 2>&1 || true

"$WINE" "$setup" /S </dev/null >/dev/null 2>&1 || fail "the installer ended with an error"
installed=(Zelvista.exe unlha32.dll unzip32.dll cab32.dll zelvista.html readme.txt uninstall.exe)
for f in "${installed[@]}"; do [ -f "$dir/$f" ] || fail "$f was not installed"; done
compgen -G "$dir/samples/*.scr" >/dev/null || fail "no sample screen savers were installed"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
"$WINE" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall entry"
[ $failures -eq 0 ] && pass "installed into $dir"

# A temp folder of the user's beside the program, as when Zelvista is put in
# a folder the user already works in: the program and its uninstaller leave it.
mkdir -p "$dir/temp"
printf 'mine' >"$dir/temp/my notes.txt"

# The installed program starts, shows its window, makes its folders beside
# itself and ends when its window is closed.
if "$WINE" "$BUILD/testbin/zelvista_start_and_close.exe" "$(windows_path "$dir/Zelvista.exe")" </dev/null 2>&1 |
  tr -d '\r' | iconv -f CP932 -t UTF-8; then
  pass "the installed program started and closed"
else
  fail "the installed program did not start and close"
fi
[ -f "$dir/ZelvistaWork/Zelvista.tag" ] && [ -d "$dir/Scrnsave" ] ||
  fail "the program made no marked work folder ZelvistaWork and no Scrnsave folder beside itself"
[ "$(cat "$dir/temp/my notes.txt" 2>/dev/null)" = mine ] || fail "the program touched the user's temp folder"

# The user's lists, and a standard screen saver kept in Scrnsave, must outlive
# the program.
printf 'Ver,3.00\r\n' >"$dir/zelvista.lst"
printf 'Ver,3.00\r\n' >"$dir/mine.lst"
printf 'x' >"$dir/Scrnsave/Kept.scr"
printf 'x' >"$dir/ZelvistaWork/left.scr"

uninstall
for f in "${installed[@]}"; do [ ! -e "$dir/$f" ] || fail "$f is still there after uninstalling"; done
[ ! -e "$dir/samples" ] || fail "samples is still there after uninstalling"
[ ! -e "$dir/ZelvistaWork" ] || fail "the work folder ZelvistaWork is still there after uninstalling"
[ "$(cat "$dir/temp/my notes.txt" 2>/dev/null)" = mine ] || fail "the uninstaller removed the user's temp\\my notes.txt"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there after uninstalling"
if "$WINE" reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; fi
for f in zelvista.lst mine.lst Scrnsave/Kept.scr; do
  [ -f "$dir/$f" ] || fail "the user's $f was removed"
done
[ $failures -eq 0 ] && pass "uninstalled; the user's lists, Scrnsave and temp stayed"

# A folder of the work folder's name that the program did not make (no mark,
# or a mark file that is not the program's) stays with everything in it.
for mark in none other; do
  rm -rf "$dir"
  "$WINE" "$setup" /S </dev/null >/dev/null 2>&1 || fail "the install ended with an error"
  mkdir -p "$dir/ZelvistaWork"
  printf 'mine' >"$dir/ZelvistaWork/my notes.txt"
  [ $mark = other ] && printf 'my own tag\r\n' >"$dir/ZelvistaWork/Zelvista.tag"
  uninstall
  [ "$(cat "$dir/ZelvistaWork/my notes.txt" 2>/dev/null)" = mine ] ||
    fail "the uninstaller removed a ZelvistaWork folder of the user's (mark: $mark)"
done
[ $failures -eq 0 ] && pass "a ZelvistaWork folder of the user's stayed"

# Installed and uninstalled with nothing of the user's in it, the folder goes too.
rm -rf "$dir"
"$WINE" "$setup" /S </dev/null >/dev/null 2>&1 || fail "the second install ended with an error"
uninstall
if [ -e "$dir" ]; then fail "the program folder stayed with nothing of the user's in it"; else pass "the empty program folder went"; fi
rm -rf "$dir"
exit $((failures > 0))
