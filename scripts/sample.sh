#!/usr/bin/env bash
# The main job on the bundled sample book: sets up the machine, builds the native tools and
# the sample book (made from books/sample/sample.book by our book builder), and reads it with
# the command-line reader: its catalog, two searches, an entry and the menu.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}/native

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
