#!/usr/bin/env bash
# The main job on the bundled sample book: sets up the machine, builds the native tools and
# the sample book (made from books/sample/sample.book by our book builder), and reads it with
# the command-line reader: its catalog, two searches, an entry and the menu. Then it builds the
# Windows programs and starts the viewer, Brisvane.exe, under Wine on the sample book (under an
# Xvfb display of its own when there is no DISPLAY) and saves a screenshot of it into
# build/win/test-artifacts/sample-viewer.png; without a display it also hands the viewer the word
# いえ as the host product does and saves the search in sample-search.png.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}/native
win=${DUNMOOR_BUILD:-$repo/build}/win

"$repo/scripts/setup.sh"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j "${DUNMOOR_JOBS:-2}" --target dunmoor_cli book_sample >/dev/null

book="$build/discs/sample"
dunmoor() {
  echo "\$ dunmoor $*"
  "$build/bin/dunmoor" "$@"
  echo
}
dunmoor info "$book"
dunmoor search "$book" はし
dunmoor search "$book" 'coffee*'
first=$("$build/bin/dunmoor" search "$book" こうえん | sed -n '2s/^[0-9]* \([0-9]*\) .*/\1/p')
dunmoor show "$book" "$first"
dunmoor menu "$book"

# --- the viewer under Wine ---------------------------------------------------------------------
echo "== building the Windows programs ($win)"
mkdir -p "$win"
if ! { cmake -S "$repo" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DDUNMOOR_BOOKS_DIR="$build/discs" &&
       cmake --build "$win" -j "${DUNMOOR_JOBS:-2}" --target Brisvane dunmoor_cli; } >"$win/sample-build.log" 2>&1; then
  tail -30 "$win/sample-build.log"
  echo "building the Windows programs failed (log: $win/sample-build.log)" >&2
  exit 1
fi

xvfb_pid=""
viewer_pid=""
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  [ -d "$win/wineprefix" ] && WINEPREFIX="$win/wineprefix" wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  source "$repo/scripts/xvfb.sh"
  start_xvfb 121 150 /dev/null
fi
export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all
source "$repo/scripts/wine-layout.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== preparing the Wine prefix ($WINEPREFIX)"
  wineboot -i >/dev/null 2>&1
  wineserver -w  # wineboot leaves its server running; let it finish
fi
# One server for the whole run (one that is still running is just as good).
wineserver -p 2>/dev/null || true
# The book the viewer opens: the one it remembers from its last run.
key='HKLM\Software\Olvenar\Trevik DUDAZA ZORARI\Curpath'
wine reg add "$key" /v Curpath /d "Z:$(sed 's|/|\\|g' <<<"$build/discs/sample")" /f >/dev/null 2>&1
# The fonts of a Japanese system: menus, dialogs and message boxes show Japanese.
source "$repo/scripts/wine-fonts.sh"
japanese_wine_fonts

# An Xvfb display of our own has no window manager: Wine then places, decorates and maximises
# its windows itself (as in the tests). On the user's own display, the window manager does.
if [ -n "$xvfb_pid" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
else
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
fi

# start_viewer SCREENSHOT [ARGS...]: starts the viewer, waits for its window and saves a
# screenshot of the display.
start_viewer() {
  local shot=$1
  shift
  (cd "$win/bin" && exec wine Brisvane.exe "$@") >/dev/null 2>&1 &
  viewer_pid=$!
  local shown=""
  # A minute: a start right after the server was ended can take a while on a busy machine.
  for _ in $(seq 600); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"DUDAZA Zorari - '; then shown=yes; break; fi
    sleep 0.1
  done
  if [ -z "$shown" ]; then
    echo "the viewer's window did not appear; the display holds:" >&2
    xwininfo -root -tree 2>/dev/null | grep -o '"[^"]*"' | sort -u | head -20 >&2
    kill -0 "$viewer_pid" 2>/dev/null && echo "(the viewer's process is still running)" >&2
    exit 1
  fi
  xwininfo -root -tree | grep -o '"DUDAZA Zorari - [^"]*"' | head -1
  sleep 3  # let it finish searching and painting
  mkdir -p "$win/test-artifacts"
  import -window root "$win/test-artifacts/$shot"
  echo "screenshot: $win/test-artifacts/$shot"
}

echo "== starting Brisvane.exe on the sample book"
start_viewer sample-viewer.png
if [ -n "$xvfb_pid" ]; then
  # Nobody can type on our own display: hand the viewer a word the way the host dictionary
  # product does (the exchange file, in Shift-JIS, and a start with "-p"), and show its search.
  wineserver -k
  wait "$viewer_pid" 2>/dev/null || true
  printf '[Data From Trevik]\r\nWord=%s\r\n' "$(printf 'いえ' | iconv -f UTF-8 -t SHIFT_JIS)" \
    >"$WINEPREFIX/drive_c/windows/Trevik20.ini"
  echo "== starting Brisvane.exe with the word いえ"
  start_viewer sample-search.png -p
  echo "(the viewer ran on a display of its own; run with DISPLAY set to see it yourself)"
else
  echo "the viewer is running; close its window to end"
  wait "$viewer_pid" || true
  viewer_pid=""
fi
