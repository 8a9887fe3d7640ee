# Zelvista laid out from the build as the installer lays it out, in the
# current Wine prefix, for pictures that show what a user sees: the program,
# the libraries, the help page and its pictures, readme.txt and samples\ in
# the user's %LOCALAPPDATA%\Programs\Zelvista. Sourced after wine-env.sh and
# x11-steps.sh.
# shellcheck shell=bash

# The user the pictures' paths name (C:\users\yamada\...). Wine takes the
# profile's name from $USER when it makes a prefix, so a prefix for pictures
# is made with it set; export before the prefix is made.
use_picture_user() {
  export USER=yamada LOGNAME=yamada
}

# user_install: installs and sets APP (the folder, Unix path) and APP_WIN
# (the same as Windows names it).
user_install() {
  local local_appdata
  local_appdata=$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null </dev/null | tr -d '\r')
  APP_WIN="$local_appdata\\Programs\\Zelvista"
  APP=$("$WINE" winepath -u "$APP_WIN" 2>/dev/null </dev/null | tr -d '\r')
  [ -n "$local_appdata" ] && [ -n "$APP" ] || { echo "user-install: no user folder in the prefix" >&2; return 1; }
  rm -rf "$APP"
  mkdir -p "$APP/samples"
  local bin=$BUILD/bin f
  for f in Zelvista.exe unlha32.dll unzip32.dll cab32.dll zelvista.html; do cp "$bin/$f" "$APP/"; done
  [ -d "$bin/help" ] && cp -r "$bin/help" "$APP/"
  while IFS= read -r f; do [ -n "$f" ] && cp "$f" "$APP/samples/"; done <"$BUILD/sample_savers.txt"
  for f in "$bin"/*.lzh "$bin"/*.zip "$bin"/*.cab; do [ -f "$f" ] && cp "$f" "$APP/samples/"; done
  sed 's/$/\r/' "$ROOT/release/readme.txt" >"$APP/readme.txt"
}

# user_standard_list: a standard list of the samples, as the first start's
# offer makes it (their names in order, an archive's members after it).
user_standard_list() {
  local folder="$APP_WIN\\samples\\" rows="" f name
  cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
  for f in $(cd "$APP/samples" && ls | LC_ALL=C sort -f); do
    case ${f,,} in
      *.scr) rows+="SCR,$f,0,$folder,$(cp932 'ｽｸﾘｰﾝｾｰﾊﾞｰ'),NULL,EOD"$'\r\n' ;;
      *.lzh|*.zip|*.cab)
        name=${f##*.}
        rows+="SCR,${f%.*}.scr,0,$folder,$(cp932 "書庫(${name^^})"),$f,EOF"$'\r\n' ;;
    esac
  done
  printf 'Ver,3.00\r\n%s' "$rows" >"$APP/zelvista.lst"
}
