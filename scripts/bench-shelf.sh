# Sourced by bench.sh --shelf: a shelf of 60 books (the two big books and hard-linked copies of
# them, each copy in a directory of its own, so that every book is opened and watched as a disc
# of its own) searched in one go, and the cost of one heading on one book beside the baseline
# of the same run. Uses bench.sh's variables and helpers (dunmoor, build, book, words, fpw_book,
# fpw_words, scale, field, us, calibrated, warnings).

shelf_books=60

shelf_ms() { awk -v ns="$1" 'BEGIN { if (ns == "") print "n/a"; else printf "%.2f", ns / 1e6 }'; }

# make_shelf FILE: the shelf's books under $build/shelf, one root a line in FILE.
make_shelf() {
  local dir="$build/shelf" i source
  mkdir -p "$dir"
  : >"$1"
  for ((i = 1; i <= shelf_books; i++)); do
    # The words file of a big book is written last, when the book is complete.
    if ((i % 2)); then source=$book made=$words; else source=$fpw_book made=$fpw_words; fi
    if [ ! -f "$dir/book$i.done" ] || [ "$made" -nt "$dir/book$i.done" ]; then
      rm -rf "$dir/book$i" "$dir/book$i.done"
      cp -al "$source" "$dir/book$i"
      touch "$dir/book$i.done"
    fi
    echo "$dir/book$i" >>"$1"
  done
}

# shelf_bench FILE WORD REPEAT HEADINGS: an untimed warm-up, then the timed run; its output line.
shelf_bench() {
  local warm ns
  warm=$("$dunmoor" bench --shelf "$1" "$2" 2 "$4" 2>/dev/null | grep -E '^bench books=' || true)
  ns=$(field ns_per_search "$warm")
  "$dunmoor" bench --shelf "$1" "$2" "$(calibrated "$3" "${ns:-0}")" "$4" 2>&1 | grep -E '^bench books=' || true
}

bench_shelf() {
  local file="$build/shelf.txt" exact prefix line ns books hits rows=()
  make_shelf "$file"
  exact=$(awk '$1 == "exact" { print $2 }' "$words")
  prefix=$(awk '$1 == "prefix" { print $2 }' "$words")
  echo "== timing a shelf of $shelf_books books (warm page cache; DUNMOOR_BENCH_SCALE=$scale)"

  # shelf_row CASE WORD REPEAT HEADINGS TARGET_MS
  shelf_row() {
    line=$(shelf_bench "$file" "$2" "$(($3 * scale))" "$4")
    ns=$(field ns_per_search "$line")
    books=$(field books "$line")
    hits=$(field hits "$line")
    [ -n "$line" ] || warnings+=("shelf $1: 'dunmoor bench --shelf' gave no result (try: $dunmoor bench --shelf $file '$2' 1 $4)")
    [ "${books:-0}" = "$shelf_books" ] || warnings+=("shelf $1: ${books:-no} books searched, not $shelf_books")
    rows+=("$(printf '%-36s %6s %7s %10s %9s  %-5s %s' "$1" "${books:-?}" "${hits:-?}" \
      "$([ -n "$ns" ] && awk -v ns="$ns" 'BEGIN { printf "%.3f", ns / 1e6 }')" "<= $5" \
      "$([ -n "$ns" ] && awk -v ns="$ns" -v t="$5" 'BEGIN { print (ns / 1e6 <= t ? "ok" : "SLOW") }')" "$2")")
  }
  shelf_row "exact, every heading" "$exact" 2000 1000000 5
  shelf_row "prefix, first 100 headings of each" "$prefix" 200 100 20

  # Full text of せい on every book: the shelf scans two books at a time, beside each book
  # searched alone one after the other in the same run (dunmoor bench --shelf --text).
  local text_line text_ns alone_ns text_hits alone_hits text_ratio
  text_line=$("$dunmoor" bench --shelf "$file" --text せい "$scale" 0 2>&1 | grep -E '^bench books=' || true)
  text_ns=$(field ns_per_search "$text_line")
  alone_ns=$(field one_by_one_ns "$text_line")
  text_hits=$(field hits "$text_line")
  alone_hits=$(field one_by_one_hits "$text_line")
  [ -n "$text_line" ] || warnings+=("shelf full text: 'dunmoor bench --shelf' gave no result (try: $dunmoor bench --shelf $file --text せい 1 0)")
  [ "${text_hits:-x}" = "${alone_hits:-y}" ] || warnings+=("shelf full text: ${text_hits:-no} hits on the shelf, ${alone_hits:-no} one book after the other")
  text_ratio=$(awk -v a="$text_ns" -v b="$alone_ns" 'BEGIN { if (a > 0 && b > 0) printf "%.2f", a / b; else print "n/a" }')

  # One heading on one book: the prefix search of か with its first 2,000 headings, less the
  # same search without them, beside the baseline (a disc check and a read of one heading).
  local bare with base per target status
  bare=$(field ns_per_search "$("$dunmoor" bench "$book" 'か*' "$((2000 * scale))" 0 2>&1 | grep -E '^bench hits=' || true)")
  with=$(field ns_per_search "$("$dunmoor" bench "$book" 'か*' "$((500 * scale))" 2000 2>&1 | grep -E '^bench hits=' || true)")
  base=$(field ns_per_heading "$("$dunmoor" bench-io "$book" "$((20000 * scale))" 2>&1 | grep -E '^bench-io ' || true)")
  per=""; target=""; status="n/a"
  if [ -n "$bare" ] && [ -n "$with" ] && [ -n "$base" ]; then
    per=$(awk -v a="$with" -v b="$bare" 'BEGIN { printf "%.0f", (a - b) / 2000 }')
    target=$(awk -v b="$base" 'BEGIN { printf "%.0f", b / 2 }')
    status=$(awk -v p="$per" -v t="$target" 'BEGIN { print (p <= t ? "ok" : "SLOW") }')
  else
    warnings+=("per heading: a bench run gave no result")
  fi

  # Headings of a compressed book: printing every hit of *ん with its heading (a search
  # process each time, its mean wall time), plain and compressed by ebzip at level 2.
  local packed="$build/generated-ebz2" plain_s packed_s runs=$((5 * scale))
  if [ ! -f "$packed/done" ] || [ "$words" -nt "$packed/done" ]; then
    echo "== compressing the generated big book at level 2 ($packed)"
    rm -rf "$packed"
    mkdir -p "$packed"
    ebzip --quiet --keep --force-overwrite --level 2 --output-directory "$packed" "$book"
    touch "$packed/done"
  fi
  # print_s ROOT: the mean seconds of `dunmoor search ROOT *ん` printing every hit.
  print_s() {
    local start end i
    "$dunmoor" search "$1" '*ん' >"$build/print.out" 2>&1 || true
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$dunmoor" search "$1" '*ん' >"$build/print.out" 2>&1 || true; done
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v n="$runs" 'BEGIN { printf "%.3f", ns / n / 1e9 }'
  }
  plain_s=$(print_s "$book")
  local printed
  printed=$(head -1 "$build/print.out")
  packed_s=$(print_s "$packed")
  [ "$(head -1 "$build/print.out")" = "$printed" ] || warnings+=("*ん: the compressed book gave $(head -1 "$build/print.out"), the plain one $printed")

  echo
  printf '%-36s %6s %7s %10s %9s\n' "case (Release, warm cache)" "books" "hits" "mean (ms)" "target"
  for row in "${rows[@]}"; do echo "$row"; done
  echo
  printf '%-36s %7s %10s %13s %7s  %s\n' "full text せい, all books" "hits" "shelf (ms)" "one by one" "ratio" "target"
  printf '%-36s %7s %10s %13s %7s  < 1    %s\n' "  two books at a time" "${text_hits:-?}" "$(shelf_ms "$text_ns")" \
    "$(shelf_ms "$alone_ns")" "$text_ratio" "$(awk -v r="$text_ratio" 'BEGIN { if (r == "n/a") print "n/a"; else print (r < 1 ? "ok" : "SLOW") }')"
  echo
  printf '%-36s %10s %14s %12s  %s\n' "one book, prefix か" "per heading" "baseline" "target" ""
  printf '%-36s %8s ns %11s ns %9s ns  %s\n' "  2,000 headings read" "${per:-n/a}" "${base:-n/a}" "<= ${target:-?}" "$status"
  echo "  baseline: bench-io's heading, a disc check and one read of a heading, in the same run;"
  echo "  headings come from an 8 KiB window of the text file and the check is a load from memory"
  echo
  printf '%-36s %10s %10s %7s  %s\n' "printing every hit of *ん" "plain (s)" "ebzip 2 (s)" "ratio" "target"
  local r
  r=$(awk -v a="$packed_s" -v b="$plain_s" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
  printf '%-36s %10s %10s %7s  <= 1.5  %s\n' "  ${printed:-no result}" "$plain_s" "$packed_s" "$r" \
    "$(awk -v r="$r" 'BEGIN { if (r == "n/a") print "n/a"; else print (r <= 1.5 ? "ok" : "SLOW") }')"
  echo "  the compressed book's inflated slices: at most 4 MiB kept (EBZIP cache), whatever its size"
}
