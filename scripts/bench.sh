#!/usr/bin/env bash
# Times word searches, headings and book opening on two large books of the same 200,000
# generated entries and prints each mean next to its target: the book our builder makes (kana,
# as-is, alphabet and backward indexes, group leaves) and the one freepwing makes (as-is and
# backward as-is only, variable leaves without groups). Then the same cases on the generated
# book compressed by ebzip at levels 0 and 3, each beside the plain case of the same run. Not a
# test: it never fails on a slow result, it reports it.
#
#   scripts/bench.sh           set up, build (Release, build/bench), make the books once, time
#   scripts/bench.sh --viewer  the same books, then the viewer itself: Brisvane.exe (Release,
#                              build/bench-win) under Wine and an Xvfb display of its own, timed
#                              from outside by brisvane_latency.exe (Enter to the full list, Enter
#                              to the first entry on the screen, the last key typed to
#                              as-you-type's list and entry, paging through the list), each
#                              beside the time the design's own waits take; then an exact
#                              search of the 60-book shelf (bench-shelf.sh), Enter to its
#                              first entry
#   scripts/bench.sh --shelf   the same books, then a shelf of 60 of them (hard-linked copies,
#                              each in a directory of its own) searched in one go with
#                              dunmoor bench --shelf, and the cost of one heading on one book
#   DUNMOOR_BENCH_SCALE=N      multiplies every repeat count and time budget (default 1)
#
# Each case makes an untimed warm-up call first (warm page cache), then a timed run of up to
# the case's repeat count, fewer when that would take more than about a second.
#
# The books go to build/bench/bigbook and build/bench/fpwbook and are made again only when
# makebigbook is newer.
set -euo pipefail

viewer_mode=0
shelf_mode=0
case "${1:-}" in
  --viewer) viewer_mode=1 ;;
  --shelf) shelf_mode=1 ;;
  "") ;;
  *) echo "usage: scripts/bench.sh [--viewer|--shelf]" >&2; exit 2 ;;
esac

repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build/bench"
book="$build/bigbook"
scale=${DUNMOOR_BENCH_SCALE:-1}
jobs=${DUNMOOR_JOBS:-2}

"$repo/scripts/setup.sh"

mkdir -p "$build"
echo "== build (Release, $build)"
if ! cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUNMOOR_TESTS=OFF \
     >"$build/configure.log" 2>&1; then
  tail -30 "$build/configure.log"
  echo "bench: configure failed" >&2
  exit 1
fi
if ! cmake --build "$build" -j "$jobs" --target makebigbook >"$build/build.log" 2>&1; then
  grep -E "error|FAILED" "$build/build.log" | head -30 | sed -e '$a\'
  echo "bench: building makebigbook failed (log: $build/build.log)" >&2
  exit 1
fi
# Without the command-line reader the book is still made and the table shows n/a.
cli_built=1
if ! cmake --build "$build" -j "$jobs" --target dunmoor_cli >"$build/build-cli.log" 2>&1; then
  grep -E "error|FAILED" "$build/build-cli.log" | head -30 | sed -e '$a\'
  cli_built=0
fi
makebigbook="$build/bin/makebigbook"
dunmoor="$build/bin/dunmoor"
if [ "$cli_built" -eq 0 ]; then dunmoor=false; fi

words="$book/bench-words.txt"  # written last: it marks a complete book
if [ ! -f "$words" ] || [ "$makebigbook" -nt "$words" ]; then
  echo "== making the big book ($book)"
  rm -f "$words"
  "$makebigbook" "$book"
fi

# The same entries made into a book by freepwing (one as-is index and its backward twin,
# variable-length leaves without groups): the shape most free dictionaries have. Made again
# only when makebigbook is newer; its planted words and counts are in its own words file.
fpw_work="$build/fpwbook-work"
fpw_book="$build/fpwbook/bigfpw"
fpw_words="$build/fpwbook/bench-words.txt"  # written last: it marks a complete book
if [ ! -f "$fpw_words" ] || [ "$makebigbook" -nt "$fpw_words" ]; then
  echo "== making the big book with freepwing ($fpw_book)"
  rm -rf "$fpw_work" "$build/fpwbook"
  mkdir -p "$fpw_work"
  cp "$repo/tools/bookbuild/freepwing/Makefile" "$repo/tools/bookbuild/freepwing/catalogs.in" \
     "$repo/tests/books/freepwing/fpwdictionary.pl" "$fpw_work/"
  "$makebigbook" --freepwing-source "$fpw_work/dictionary.txt"
  if ! (cd "$fpw_work" && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL fpwmake install INSTALLDIR="$build/fpwbook") \
       >"$fpw_work/fpwmake.log" 2>&1; then
    tail -20 "$fpw_work/fpwmake.log"
    echo "bench: fpwmake failed (log: $fpw_work/fpwmake.log)" >&2
    exit 1
  fi
  cp "$fpw_work/dictionary.txt.words" "$fpw_words"
fi

# word_of NAME / expected_of NAME: the planted words of the book being timed and their counts.
word_of() { awk -v n="$1" '$1 == n { print $2 }' "$on_words"; }
expected_of() { awk -v n="$1" '$1 == n { print $3 }' "$on_words"; }

warnings=()
if [ "$cli_built" -eq 0 ]; then warnings+=("dunmoor did not build (log: $build/build-cli.log): nothing was timed"); fi

# field KEY LINE: the value of KEY=... in a line of the command's output.
field() { sed -nE "s/.*(^| )$1=([0-9.]+).*/\2/p" <<<"$2"; }

# calibrated REPEAT NS: REPEAT, but fewer when a call of NS nanoseconds would make the timed run
# take more than about a second times the scale (at least 20 calls, for a stable mean).
calibrated() {
  awk -v r="$1" -v ns="$2" -v budget="$((scale * 1000000000))" \
    'BEGIN { if (ns > 0 && r * ns > budget) r = int(budget / ns); if (r < 20) r = 20; print r }'
}

# run_bench WORD REPEAT HEADINGS [BOOK]: an untimed warm-up call (it also sizes the repeat
# count), then the timed one, on the book being timed or BOOK. Prints its output line, or
# nothing when the command failed.
run_bench() {
  local warm ns at=${4:-$on}
  warm=$("$dunmoor" bench "$at" "$1" 3 "$3" 2>/dev/null | grep -E '^bench hits=' || true)
  ns=$(field ns_per_search "$warm")
  "$dunmoor" bench "$at" "$1" "$(calibrated "$2" "${ns:-0}")" "$3" 2>&1 | grep -E '^bench hits=' || true
}

repeat() { echo $(($1 * scale)); }

# us NS: nanoseconds as microseconds.
us() { awk -v ns="$1" 'BEGIN { printf "%.2f", ns / 1000 }'; }
# verdict VALUE_US TARGET_US
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t ? "ok" : "SLOW") }'; }

rows=()
# add_row CASE WORD HITS EXPECTED MEAN_US TARGET_US (TARGET_US "-": none)
add_row() {
  local status="n/a" target="<= $6 us"
  if [ "$6" = "-" ]; then status=""; target=""; elif [ -n "$5" ]; then status=$(verdict "$5" "$6"); fi
  rows+=("$(printf '%-24s %-9s %6s %9s %12s %12s  %-5s %s' "$1" "$on_label" "$3" "$4" "${5:-n/a}" "$target" "$status" "$2")")
}

# search_case CASE NAME REPEAT TARGET_US: a search without headings. Sets last_hits, last_ns.
search_case() {
  local word expected line hits ns
  word=$(word_of "$2")
  expected=$(expected_of "$2")
  line=$(run_bench "$word" "$(repeat "$3")" 0)
  hits=$(field hits "$line")
  ns=$(field ns_per_search "$line")
  last_hits=$hits
  last_ns=$ns
  if [ -z "$line" ]; then
    [ "$cli_built" -eq 1 ] && warnings+=("$1 ($on_label): 'dunmoor bench' gave no result (try: $dunmoor bench $on '$word' 1 0)")
  elif [ "$hits" != "$expected" ]; then
    warnings+=("$1 ($on_label): $hits hits, expected $expected")
  fi
  add_row "$1" "$word" "${hits:-?}" "$expected" "$([ -n "$ns" ] && us "$ns")" "$4"
}

# open_ns BOOK: the mean time of opening the catalog and the book, in nanoseconds.
# Sized by the wall time of the warm-up: only the open is timed, but each close takes time too.
open_ns() {
  local start_ns open_repeat
  start_ns=$(date +%s%N)
  "$dunmoor" bench-open "$1" 20 >/dev/null 2>&1 || true
  open_repeat=$(calibrated "$(repeat 10000)" "$((($(date +%s%N) - start_ns) / 20))")
  field ns_per_open "$("$dunmoor" bench-open "$1" "$open_repeat" 2>&1 | grep -E '^bench-open ' || true)"
}

headings=2000  # read after the prefix search
# time_book LABEL BOOK WORDS: every case on one book. The figures of the generated book stay in
# exact_ns, prefix_ns, suffix_ns, with_ns, open_ns for the compressed books below.
time_book() {
  on_label=$1 on=$2 on_words=$3
  search_case "exact (~10 hits)" exact 100000 3
  exact_ns=$last_ns
  search_case "suffix (~10,000 hits)" suffix 10000 110
  suffix_ns=$last_ns
  search_case "prefix (~2,000 hits)" prefix 20000 25
  local prefix_hits=$last_hits
  prefix_ns=$last_ns

  # The prefix search again, reading the heading of every hit.
  local prefix_word line read_count per_heading
  prefix_word=$(word_of prefix)
  line=$(run_bench "$prefix_word" "$(repeat 2000)" "$headings")
  with_ns=$(field ns_per_search "$line")
  read_count=""  # headings read a search: as many as there are hits, at most $headings
  if [ -n "$prefix_hits" ]; then read_count=$((prefix_hits < headings ? prefix_hits : headings)); fi
  per_heading=""
  if [ -n "$with_ns" ] && [ -n "$prefix_ns" ] && [ "${read_count:-0}" -gt 0 ]; then
    per_heading=$(awk -v a="$with_ns" -v b="$prefix_ns" -v n="$read_count" 'BEGIN { printf "%.1f", (a - b) / n }')
  fi
  if [ "$cli_built" -eq 1 ]; then
    if [ -z "$line" ]; then warnings+=("headings ($on_label): 'dunmoor bench' gave no result"); fi
    if [ "${read_count:-0}" -eq 0 ]; then warnings+=("headings ($on_label): no hits, so no heading was read"); fi
  fi
  add_row "prefix + $headings headings" "$prefix_word" "$(field hits "$line")" "$(expected_of prefix)" \
    "$([ -n "$with_ns" ] && us "$with_ns")" "-"
  add_row "  per heading" "" "$read_count" "" "$([ -n "$per_heading" ] && us "$per_heading")" 0.7

  open_ns=$(open_ns "$on")
  if [ -z "$open_ns" ] && [ "$cli_built" -eq 1 ]; then warnings+=("open ($on_label): 'dunmoor bench-open' gave no result"); fi
  add_row "open book" "" "" "" "$([ -n "$open_ns" ] && us "$open_ns")" 100
}

if [ "$viewer_mode" -eq 1 ]; then
  source "$repo/scripts/bench-viewer.sh"
  source "$repo/scripts/bench-shelf.sh"
  make_shelf "$build/shelf.txt"
  bench_viewer "generated:$book:$words" "freepwing:$fpw_book:$fpw_words" "shelf:$build/shelf.txt:$words"
  exit $?
fi

if [ "$shelf_mode" -eq 1 ]; then
  [ "$cli_built" -eq 1 ] || { echo "bench: dunmoor did not build (log: $build/build-cli.log)" >&2; exit 1; }
  source "$repo/scripts/bench-shelf.sh"
  bench_shelf
  echo
  for w in "${warnings[@]+"${warnings[@]}"}"; do echo "warning: $w"; done
  exit 0
fi

echo "== timing (warm page cache; DUNMOOR_BENCH_SCALE=$scale)"
time_book freepwing "$fpw_book" "$fpw_words"
time_book generated "$book" "$words"

echo
printf '%-24s %-9s %6s %9s %12s %12s  %-5s %s\n' "case" "book" "hits" "expected" "mean (us)" "target" "" "word"
for row in "${rows[@]}"; do echo "$row"; done

# The baseline, measured in the same way in the same program: what one step of every search
# costs on this machine before any searching (a disc check and one read).
line=$("$dunmoor" bench-io "$book" "$(repeat 20000)" 2>&1 | grep -E '^bench-io ' || true)
if [ -n "$line" ]; then
  echo
  echo "baseline (disc check + read):  page $(us "$(field ns_per_page "$line")") us," \
       " 32 pages $(us "$(field ns_per_32_pages "$line")") us," \
       " heading $(us "$(field ns_per_heading "$line")") us"
  echo "  a search reads its leaf page (the node pages above it come from the book's page cache"
  echo "  after the first search), then, while its hits go on, the next leaf page alone and after"
  echo "  that 32 pages at a time; headings come from an 8 KiB window of the text file, read"
  echo "  again only for a heading outside it (each heading still makes its disc check)"
elif [ "$cli_built" -eq 1 ]; then
  warnings+=("baseline: 'dunmoor bench-io' gave no result")
fi
# The same book with its files compressed (EBZIP, by eb-utils' ebzip) at levels 0 and 3: each
# case beside the plain book's, from the same run. Made again only when the big book is newer.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0 && b > 0) printf "%.2f", a / b; else print "n/a" }'; }
compressed_rows=()
for level in 0 3; do
  packed="$build/bigbook-ebz$level"
  if [ ! -f "$packed/done" ] || [ "$words" -nt "$packed/done" ]; then
    echo "== compressing the big book at level $level ($packed)"
    rm -rf "$packed"
    mkdir -p "$packed"
    ebzip --quiet --keep --force-overwrite --level "$level" --output-directory "$packed" "$book"
    touch "$packed/done"
  fi
  [ "$cli_built" -eq 1 ] || continue
  for name in exact prefix suffix headings; do
    case $name in
      exact) word=$(word_of exact); n=0; base=$exact_ns; target=1.5; reps=100000 ;;
      prefix) word=$(word_of prefix); n=0; base=$prefix_ns; target=1.5; reps=20000 ;;
      suffix) word=$(word_of suffix); n=0; base=$suffix_ns; target=1.5; reps=10000 ;;
      headings) word=$(word_of prefix); n=$headings; base=$with_ns; target=2; reps=2000 ;;
    esac
    got=$(field ns_per_search "$(run_bench "$word" "$(repeat "$reps")" "$n" "$packed")")
    r=$(ratio "$got" "$base")
    status=$(awk -v r="$r" -v t="$target" 'BEGIN { if (r == "n/a") print "n/a"; else print (r <= t ? "ok" : "SLOW") }')
    compressed_rows+=("$(printf '%-26s %12s %12s %7s  <= %-4s %s' "level $level $name" \
      "$([ -n "$base" ] && us "$base")" "$([ -n "$got" ] && us "$got")" "$r" "$target" "$status")")
  done
  got=$(open_ns "$packed")
  compressed_rows+=("$(printf '%-26s %12s %12s %7s  %-7s %s' "level $level open book" \
    "$([ -n "$open_ns" ] && us "$open_ns")" "$([ -n "$got" ] && us "$got")" "$(ratio "$got" "$open_ns")" \
    "<= 1 ms" "$([ -n "$got" ] && verdict "$(us "$got")" 1000)")")
done
if [ "${#compressed_rows[@]}" -gt 0 ]; then
  echo
  echo "compressed books (the same cases; ratio = compressed / plain, both from this run)"
  printf '%-26s %12s %12s %7s  %-7s %s\n' "case" "plain (us)" "packed (us)" "ratio" "target" ""
  for row in "${compressed_rows[@]}"; do echo "$row"; done
fi

# Keyword and full-text search on both big books, plain and compressed by ebzip at level 2. The
# full-text figures stand beside a baseline from the same run: GNU grep counting the same bytes
# (the word in the book's JIS X 0208 code) in a copy of the text area alone, the pages of
# descriptor 0x00 that the scan reads: what a scan can at best cost. grep's own start-up (timed
# on an empty file) is taken off, so the baseline is its search alone.
if [ "$cli_built" -eq 1 ]; then
  source "$repo/scripts/bench-search.sh"
  bench_other_searches
  # The related words of a headword search (forms, kana, kanji variants, a phrase's beginning).
  source "$repo/scripts/bench-related.sh"
  bench_related
fi

echo
for w in "${warnings[@]+"${warnings[@]}"}"; do echo "warning: $w"; done
[ "$cli_built" -eq 1 ]
