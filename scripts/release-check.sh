#!/usr/bin/env bash
# Makes the release (scripts/release.sh, into build/release) and installs its installer under
# Wine, in a prefix of its own (build/release-check/wineprefix, made afresh): the installer must
# run (msiexec /i /qn), put every program, the help and the sample book in Program Files\DUDAZA
# Zorari, and the installed reader must read the installed sample book; the portable archive must
# hold the same programs and help. Ends with "release-check: ok" or a line saying what failed.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}
work="$build/release-check"
fail() {
  echo "release-check: $*"
  exit 1
}

"$repo/scripts/release.sh" || fail "release.sh failed"
version=$(sed -nE 's/^project\(DudazaZorari VERSION ([0-9.]+).*/\1/p' "$repo/CMakeLists.txt")
msi="$build/release/DudazaZorari-$version-x64.msi"
zip="$build/release/DudazaZorari-$version-x64-portable.zip"
sums="$build/release/DudazaZorari-$version-SHA256SUMS.txt"
for file in "$msi" "$zip" "$sums"; do [ -s "$file" ] || fail "no $file"; done
(cd "$build/release" && sha256sum -c --quiet "$(basename "$sums")") || fail "the checksums do not match"

programs="Brisvane.exe Brisvane.chm Dunmoor.dll Calvetta.dll Ostrelle.dll dunmoor.exe README.md sample/CATALOGS"
listed=$(unzip -Z1 "$zip") || fail "the archive cannot be read"
for file in $programs; do
  grep -qx "DudazaZorari-$version/$file" <<<"$listed" || fail "the archive lacks $file"
done

rm -rf "$work"
mkdir -p "$work"
source "$repo/scripts/xvfb.sh"
source "$repo/scripts/wine-layout.sh"
xvfb_pid=""
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
start_xvfb 181 210 "$work/xvfb.log" || fail "no X display"
wineboot -i >"$work/wineboot.log" 2>&1
wineserver -w
wine msiexec /i "$(winepath -w "$msi")" /qn >"$work/msiexec.log" 2>&1 || fail "msiexec /i failed (log: $work/msiexec.log)"
installed="$WINEPREFIX/drive_c/Program Files/DUDAZA Zorari"
for file in $programs; do
  # Names are compared without regard to case, as Windows compares them.
  [ -n "$(find "$installed" -type f -ipath "$installed/$file" 2>/dev/null)" ] || fail "the installer did not install $file"
done
found=$(wine "C:\\Program Files\\DUDAZA Zorari\\dunmoor.exe" search "C:\\Program Files\\DUDAZA Zorari\\sample" はし 2>&1 | tr -d '\r')
grep -q "^hits 3$" <<<"$found" || fail "the installed reader did not read the installed sample book: $found"
echo "release-check: ok ($msi installed, the installed reader finds はし in the sample book)"
