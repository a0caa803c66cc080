#!/usr/bin/env bash
# The release: a Release build of the Windows programs (build/release-win, without the tests),
# stripped, with the sample book that the native tools make (build/release-native), packed by
# package.sh into build/release: the installer (.msi), the portable archive (.zip) and their
# SHA-256 checksums. The version is the project's (project() in CMakeLists.txt).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}
jobs=${DUNMOOR_JOBS:-2}

"$repo/scripts/setup.sh"
version=$(sed -nE 's/^project\(DudazaZorari VERSION ([0-9.]+).*/\1/p' "$repo/CMakeLists.txt")
if [ -z "$version" ]; then
  echo "release.sh: no version in CMakeLists.txt" >&2
  exit 1
fi
echo "== DUDAZA Zorari $version"

native="$build/release-native"
win="$build/release-win"
mkdir -p "$build"
echo "== the sample book ($native)"
cmake -S "$repo" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUNMOOR_TESTS=OFF >"$build/release-native.log" 2>&1
cmake --build "$native" -j "$jobs" --target book_sample >>"$build/release-native.log" 2>&1
echo "== the Windows programs ($win)"
cmake -S "$repo" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUNMOOR_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DDUNMOOR_BOOKS_DIR="$native/discs" \
  >"$build/release-win.log" 2>&1
cmake --build "$win" -j "$jobs" --target Brisvane Dunmoor Calvetta Ostrelle dunmoor_cli >>"$build/release-win.log" 2>&1

stripped="$win/stripped"
rm -rf "$stripped"
mkdir -p "$stripped"
for file in Brisvane.exe Dunmoor.dll Calvetta.dll Ostrelle.dll dunmoor.exe; do
  x86_64-w64-mingw32-strip -o "$stripped/$file" "$win/bin/$file"
done
cp "$win/bin/Brisvane.chm" "$stripped/"  # the help that F1 opens, beside the viewer

echo "== packing ($build/release)"
"$repo/scripts/package.sh" "$stripped" "$native/discs/sample" "$win/viewer/art/icon128_brisvane.ico" "$version" \
  "$build/release" >/dev/null
ls -l "$build/release"/DudazaZorari-"$version"*
