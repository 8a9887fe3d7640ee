# Steps of the scripts that drive Zelvista on the display of wine-env.sh:
# waiting for a window, a picture of one, a path as Wine sees it.
# Sourced after wine-env.sh.
# shellcheck shell=bash

# wait_window NAME [SECONDS]: waits up to SECONDS (default 20) for a visible
# window whose name matches NAME; prints its id.
wait_window() {
  local id tries=$(( ${2:-20} * 5 ))
  for _ in $(seq "$tries"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "$(basename "$0"): no window \"$1\" appeared" >&2
  return 1
}

# shoot_window ID FILE: a PNG of the window with its frame. Wine's X window
# reports a position below the caption (by its height, 20 pixels) and the
# frame's full height.
shoot_window() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local left=$((X > 2 ? X - 2 : 0)) top=$((Y > 20 ? Y - 20 : 0))
  import -window root -crop "$((WIDTH + 1))x${HEIGHT}+${left}+${top}" +repage "$2"
  echo "screenshot: $2"
}

# windows_path PATH: the Windows form of a Unix path.
windows_path() { "${WINE:-wine}" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
