#!/usr/bin/env bash
# The folder search on a large tree, through the real dialog, against a bare
# enumeration of the same tree plus the listing of its archives through the
# libraries; and removing duplicates from lists of growing length. Ratios.
# Usage: bench/adding.sh [ROUNDS]   (default 3)
# The tree (50,000 files in 5,000 folders: 500 screen savers, 50 LZH, 50 ZIP
# and 50 CAB archives of 3 screen savers each) is made once in build/bench-adding.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-env.sh"
rounds=${1:-3}
"$ROOT/scripts/setup"
build_all
data=$BUILD/bench-adding
tree=$data/tree
if [ ! -f "$data/ready" ]; then
  rm -rf "$data"; mkdir -p "$data/templates"
  (cd "$data/templates" && for n in 1 2 3; do head -c 4096 /dev/urandom > "saver$n.scr"; done &&
    LC_ALL=C lha a2o5 pack.lzh saver1.scr saver2.scr saver3.scr >/dev/null 2>&1 &&
    7zz a -tzip pack.zip saver1.scr saver2.scr saver3.scr >/dev/null &&
    gcab -cz pack.cab saver1.scr saver2.scr saver3.scr)
  python3 - "$tree" "$data/templates" <<'PY'
import os, shutil, sys
tree, templates = sys.argv[1], sys.argv[2]
others = [".txt", ".dat", ".jpg", ".dll", ".ini", ".bmp", ".htm", ".exe", ".log", ".wav"]
folders = [os.path.join(tree, "group%02d" % g) for g in range(50)]
folders += [os.path.join(tree, "group%02d" % g, "set%02d" % s) for g in range(50) for s in range(99)]
saver = open(os.path.join(templates, "saver1.scr"), "rb").read()
kinds = ["lzh", "zip", "cab"]
archive = 0
for k, folder in enumerate(folders):
    os.makedirs(folder, exist_ok=True)
    names = []
    if k % 10 == 0:
        open(os.path.join(folder, "Saver%04d.scr" % k), "wb").write(saver)
        names.append(1)
    if k % 33 == 5 and archive < 150:
        kind = kinds[archive % 3]
        shutil.copy(os.path.join(templates, "pack." + kind), os.path.join(folder, "pack%03d.%s" % (archive, kind)))
        archive += 1
        names.append(1)
    for i in range(10 - len(names)):
        open(os.path.join(folder, "file%d%s" % (i, others[(k + i) % len(others)])), "wb").close()
print("tree:", len(folders), "folders,", 10 * len(folders), "files,", archive, "archives")
PY
  touch "$data/ready"
fi
cp "$BUILD"/bin/unlha32.dll "$BUILD"/bin/unzip32.dll "$BUILD"/bin/cab32.dll "$BUILD/benchbin/"
start_wine_session own
"$WINE" "$BUILD/benchbin/adding_bench.exe" "$("$WINE" winepath -w "$tree" 2>/dev/null | tr -d '\r')" "$rounds" \
  </dev/null 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8
