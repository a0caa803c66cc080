#!/bin/bash
# The viewer kept at work for MINUTES under Wine and Xvfb, as a reader keeps it all day, and
# watched for growth and for a viewer that stops answering (brisvane_soak.exe; see its file).
#
#   scripts/soak.sh MINUTES
#
# The viewer opens the 200,000-entry benchmark book when scripts/bench.sh has made it
# (build/bench/bigbook), else the real dictionary the build makes from Debian's edict; its shelf
# holds 60 books, hard-linked copies of that book and of the built sample books (pictures,
# references, sound), each in a folder of its own. DUNMOOR_SOAK_BOOK names another book;
# DUNMOOR_SOAK_SEED another mix; DUNMOOR_BUILD the build folder, as for scripts/test.sh. Needs the
# native and the Windows build trees (scripts/test.sh makes both); when DISPLAY and WINEPREFIX are
# set (inside the test command) it uses them.
set -euo pipefail

minutes=${1:?usage: scripts/soak.sh MINUTES}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}
win="$build/win"
discs="$build/native/discs"
exe="$win/bin/brisvane_soak.exe"
if [ ! -f "$exe" ] || [ ! -d "$discs/sample" ]; then
  echo "soak: build the trees first (scripts/test.sh): no $exe or no built books" >&2
  exit 2
fi

book=${DUNMOOR_SOAK_BOOK:-}
if [ -z "$book" ]; then
  if [ -f "$build/bench/bigbook/bench-words.txt" ]; then book="$build/bench/bigbook"; else book="$discs/edict"; fi
fi

# The shelf, made again where a source book is newer than its copy.
soak="$build/soak"
shelf_file="$soak/shelf.txt"
mkdir -p "$soak/shelf"
sources=("$book" "$discs/sample" "$discs/photo" "$discs/manyhits" "$discs/freepwing")
: >"$shelf_file"
for ((i = 1; i <= 60; i++)); do
  source=${sources[$((i % ${#sources[@]}))]}
  copy="$soak/shelf/book$i"
  if [ ! -f "$copy.done" ] || [ "$source/CATALOGS" -nt "$copy.done" ] || [ "$(cat "$copy.done")" != "$source" ]; then
    rm -rf "$copy" "$copy.done"
    cp -al "$source" "$copy"
    echo "$source" >"$copy.done"
  fi
  echo "$copy" >>"$shelf_file"
done

started_xvfb=""
cleanup() {
  if [ -n "$started_xvfb" ]; then
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  source "$repo/scripts/xvfb.sh"
  source "$repo/scripts/wine-layout.sh"
  xvfb_pid=""
  start_xvfb 93 120 "$soak/xvfb.log"
  started_xvfb=1
  # A prefix of its own (a copy of the tests' one): the tests may run beside a long soak.
  if [ ! -d "$soak/wineprefix" ] && [ -d "$win/wineprefix" ]; then cp -a "$win/wineprefix" "$soak/wineprefix"; fi
  export WINEPREFIX="$soak/wineprefix" WINEDEBUG=-all
  source "$repo/scripts/wine-fonts.sh"
  prepare_wine_prefix "$soak/wineboot.log"
fi

# The shelf file as the viewer reads it: Windows paths.
win_shelf="$soak/shelf-win.txt"
: >"$win_shelf"
while read -r root; do winepath -w "$root" >>"$win_shelf"; done <"$shelf_file"

# The programs run from a copy: the build tree may be built again while a long soak runs.
rm -rf "$soak/bin"
mkdir -p "$soak/bin"
cp "$win/bin/Brisvane.exe" "$win/bin/brisvane_soak.exe" "$win/bin/"*.dll "$soak/bin/"
cp "$win/bin/Brisvane.chm" "$soak/bin/" 2>/dev/null || true

echo "== soak: ${minutes} min on $(basename "$book") with a shelf of 60 books"
cd "$soak/bin"
wine brisvane_soak.exe "$minutes" "$(winepath -w "$book")" "$(winepath -w "$win_shelf")" \
  "${DUNMOOR_SOAK_SEED:-20261209}" 2>&1 | sed -u 's/\r$//' | tee "$soak/soak.log"
grep -q "^soak passed" "$soak/soak.log"
