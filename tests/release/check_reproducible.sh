#!/usr/bin/env bash
# Builds Zelvista.exe and the three archiver libraries a second time, from the
# same sources reached by another path and into another folder, and compares
# their bytes with the main build's: the same sources must give the same files.
#   check_reproducible.sh
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/wine-env.sh"

second=$BUILD/reproducible
# The sources under another name; kept outside the tree so that nothing that
# walks the tree comes back into it.
source_link=${TMPDIR:-/tmp}/zelvista-sources-$(printf '%s' "$BUILD" | cksum | cut -d' ' -f1)
ln -sfn "$ROOT" "$source_link"
# A second build made through another link is made afresh.
if ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$source_link" "$second/CMakeCache.txt" 2>/dev/null; then
  rm -rf "$second"
fi
if [ ! -f "$second/build.ninja" ]; then
  cmake -S "$source_link" -B "$second" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$source_link/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
if ! cmake --build "$second" --target Zelvista unlha32 unzip32 cab32 >"$second.log" 2>&1; then
  cat "$second.log" >&2
  echo "reproducible: FAILED: the second build failed" >&2
  exit 1
fi

status=0
for f in Zelvista.exe unlha32.dll unzip32.dll cab32.dll; do
  if cmp -s "$BUILD/bin/$f" "$second/bin/$f"; then
    echo "reproducible: ok: $f"
  else
    echo "reproducible: FAILED: $f differs between $BUILD/bin and $second/bin" >&2
    status=1
  fi
done
exit $status
