#!/usr/bin/env bash
# The main job on the bundled sample book: sets up the machine, builds the native tools and
# the sample book (made from books/sample/sample.book by our book builder), and reads it with
# the command-line reader.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}/native

"$repo/scripts/setup.sh"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j "${DUNMOOR_JOBS:-2}" --target dunmoor_cli book_sample >/dev/null

book="$build/discs/sample"
echo "\$ dunmoor info $book"
"$build/bin/dunmoor" info "$book"
