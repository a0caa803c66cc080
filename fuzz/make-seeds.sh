#!/usr/bin/env bash
# Makes the seed inputs of the fuzz targets (corpus/<target>/) from the seed book
# (seeds/seed.book), written by the book builder of a native build. The seeds are committed; run
# this again after changing the seed book or an input layout of a target (FuzzTargets.h).
#
#   fuzz/make-seeds.sh BUILD_DIR      e.g. build/native (it needs BUILD_DIR/bin/bookbuild)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bookbuild=${1:?usage: make-seeds.sh BUILD_DIR}/bin/bookbuild
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bookbuild" "$here/seeds/seed.book" "$work/disc" >/dev/null
catalog=$work/disc/CATALOGS
text=$work/disc/BOOK/DATA/HONMON
font=$work/disc/BOOK/GAIJI/GA16FULL
corpus=$here/corpus
rm -rf "$corpus"
mkdir -p "$corpus"/{catalog,search,text,media,layout,keys,writers,ebzip}

# A 16-bit big-endian length, as FuzzInput::Section reads it.
length16() { printf "\\x$(printf %02x $(($1 >> 8)))\\x$(printf %02x $(($1 & 255)))"; }
# A 32-bit big-endian number.
long32() { for shift in 24 16 8 0; do printf "\\x$(printf %02x $((($1 >> shift) & 255)))"; done; }

# catalog: the book as built; two entries, the first of a type that is no book.
cp "$catalog" "$corpus/catalog/one-book"
entry=$work/entry
tail -c 164 "$catalog" >"$entry"
{ printf '\x00\x02'; head -c 16 "$catalog" | tail -c 14; printf '\x01'; tail -c 163 "$entry"; cat "$entry"; } \
  >"$corpus/catalog/second-usable"

# search: the text file (the keys are the target's own).
cp "$text" "$corpus/search/seed-book"

# text: a script of every call, with positions of the map (menu, entries, headings), then the
# text file. A call is its kind and a 32-bit argument: sizes come from its top bits.
script() {
  printf '\x0c'
  local kind=0
  for position in 6144 2050 2562 4096 6144 2594 2050 2660 2704 4114 0 2050; do
    printf "\\x$(printf %02x $kind)"
    long32 $(((kind % 8) << 29 | position))
    kind=$((kind + 1))
  done
}
{ script; cat "$text"; } >"$corpus/text/every-call"
{ printf '\x03\x05'; long32 2050; printf '\x04'; long32 2562; printf '\x06'; long32 6160; cat "$text"; } \
  >"$corpus/text/entries-and-references"

# media: the 16-dot font, a sound-data code, the text file (its graphic and sound codes).
sound() { printf '\x1f\x4a\x00\x01\x00\x00\x00\x00\x00\x24\x00\x00\x00\x00\x00\x24\x11\x34\x23\x41\x1f\x6a'; }
{ length16 "$(stat -c %s "$font")"; cat "$font"; length16 22; sound; cat "$text"; } \
  >"$corpus/media/font-code-text"

# layout: measures (line height, half width, bold, width/4, height/4, hit), steps, entry text.
steps() { printf '\x04\x00\x01\x00\x05\xff\xfe\x00\x20\x40\x30\x02\x00\x03'; }
{ printf '\x10\x08\x01\x40\x30\x00'; length16 14; steps; tail -c +2049 "$text" | head -c 4096; } \
  >"$corpus/layout/entries"
{ printf '\x0c\x06\x00\x08\x40\x03'; length16 0; tail -c +6145 "$text" | head -c 512; } >"$corpus/layout/menu-narrow"

# keys: typed Shift-JIS words, a wildcard search, half-width katakana, UTF-8.
printf '\x82\xaa\x82\xc1\x82\xb1\x82\xa4' >"$corpus/keys/sjis-kana"
printf 'card*' >"$corpus/keys/wildcard"
printf '*\x8a\x77\x8d\x5a \xb6\xb0\xc4\xde' >"$corpus/keys/suffix-halfwidth"
printf '\xe5\xad\xa6\xe6\xa0\xa1 W\xc3\x92RD \x81\x40\x81' >"$corpus/keys/utf8-and-odd"

# writers: a 16 x 16 monochrome picture as raw samples; a BMP file as a colour picture.
{ long32 16; long32 16; printf '\x01\x00\x01\x01'; head -c 32 /dev/zero | tr '\0' '\125'; } >"$corpus/writers/mono-raw"
{ long32 2; long32 8; printf '\x00\x01\x00\x00'; tail -c +$((45062 + 9)) "$text" | head -c 90; } >"$corpus/writers/colour-bmp"
# ebzip: the text file and a font compressed by eb-utils' ebzip (run as a black box) at
# three levels.
for level in 0 2 5; do
  mkdir -p "$work/ebz$level"
  ebzip --quiet --keep --force-overwrite --level $level --output-directory "$work/ebz$level" "$work/disc"
  cp "$work/ebz$level/BOOK/DATA/HONMON.ebz" "$corpus/ebzip/text-level$level"
done
cp "$work/ebz0/BOOK/GAIJI/GA16FULL.ebz" "$corpus/ebzip/font-level0"
# The text file run on past a megabyte and a half with zero bytes, at level 5: long enough for a
# scan's reads (whole slices on two threads), small when packed.
cp -r "$work/disc" "$work/long"
head -c 1600000 /dev/zero >>"$work/long/BOOK/DATA/HONMON"
mkdir -p "$work/ebzlong"
ebzip --quiet --keep --force-overwrite --level 5 --output-directory "$work/ebzlong" "$work/long"
cp "$work/ebzlong/BOOK/DATA/HONMON.ebz" "$corpus/ebzip/text-long-level5"

echo "seeds: $(find "$corpus" -type f | wc -l) files, $(du -sh "$corpus" | cut -f1)"
