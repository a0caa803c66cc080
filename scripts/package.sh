#!/usr/bin/env bash
# package.sh BIN SAMPLE ICON VERSION OUT: the Windows installer and the portable archive of the
# programs in BIN (Brisvane.exe with its help Brisvane.chm, Dunmoor.dll, Calvetta.dll,
# Ostrelle.dll, dunmoor.exe), with the sample book of disc root SAMPLE, the viewer's icon ICON and
# the README, into the folder OUT:
#   OUT/DudazaZorari-VERSION-x64.msi            (wixl, from installer/DudazaZorari.wxs)
#   OUT/DudazaZorari-VERSION-x64-portable.zip   (the same files in a folder DudazaZorari-VERSION)
#   OUT/DudazaZorari-VERSION-SHA256SUMS.txt     (both, as sha256sum writes them)
# The files are laid out in OUT/stage/DudazaZorari-VERSION first: the installer takes them from
# there by the same relative paths as the archive holds them.
set -euo pipefail

if [ $# -ne 5 ]; then
  echo "usage: package.sh BIN SAMPLE ICON VERSION OUT" >&2
  exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
bin=$1 sample=$2 icon=$3 version=$4 out=$5
name="DudazaZorari-$version"

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage="$out/stage/$name"
rm -rf "$out/stage"
mkdir -p "$stage/sample"
for file in Brisvane.exe Brisvane.chm Dunmoor.dll Calvetta.dll Ostrelle.dll dunmoor.exe; do
  cp "$bin/$file" "$stage/"
done
cp -r "$sample/." "$stage/sample/"
cp "$icon" "$stage/Brisvane.ico"
cp "$repo/README.md" "$stage/README.md"

msi="$name-x64.msi"
zip="$name-x64-portable.zip"
rm -f "$out/$msi" "$out/$zip"
(cd "$stage" && wixl -a x64 -D Version="$version" -o "$out/$msi" "$repo/installer/DudazaZorari.wxs" 2>"$out/wixl.log") || {
  cat "$out/wixl.log" >&2
  echo "package.sh: wixl failed" >&2
  exit 1
}
# The archive's viewer is portable: its Brisvane.ini (UTF-16, as the viewer reads and writes it)
# takes every setting instead of the registry. The installer's viewer has none.
{ printf '\xff\xfe'
  printf '; DUDAZA Zorari: このファイルがあると、設定はレジストリではなくここに保存されます。\r\n' |
    iconv -f UTF-8 -t UTF-16LE
} >"$stage/Brisvane.ini"
# The archive holds no icon file of its own: the viewer carries its icon.
(cd "$out/stage" && zip -q -r -X "$out/$zip" "$name" -x "$name/Brisvane.ico")
(cd "$out" && sha256sum "$msi" "$zip" >"$name-SHA256SUMS.txt")
echo "$out/$msi"
echo "$out/$zip"
echo "$out/$name-SHA256SUMS.txt"
