# Sourced by bench.sh: the related lookup of a headword search (the word as typed, then its
# dictionary forms, other kana, today's kanji, and for a phrase that finds nothing its longest
# beginning that does), each figure beside the exact search of the same word in the same run.
# On the generated big book and on the book made from Debian's edict (the build's book_edict,
# made on first use into $build/discs/edict). Uses bench.sh's variables and helpers (dunmoor,
# build, book, repo, jobs, scale, field, us, calibrated, ratio, verdict, warnings).

# related_bench ROOT WORD REPEAT: the output line of dunmoor bench --related, after a warm-up
# call that sizes the repeat count.
related_bench() {
  local warm ns
  warm=$("$dunmoor" bench --related "$1" "$2" 3 0 2>/dev/null | grep -E '^bench hits=' || true)
  ns=$(field ns_per_search "$warm")
  "$dunmoor" bench --related "$1" "$2" "$(calibrated "$3" "${ns:-0}")" 0 2>&1 | grep -E '^bench hits=' || true
}

bench_related() {
  local edict="$build/discs/edict" rows=() line pair label root word ns exact searches per
  if ! cmake --build "$build" -j "$jobs" --target book_edict >"$build/build-edict.log" 2>&1; then
    warnings+=("the edict book did not build (log: $build/build-edict.log)")
  fi
  # A 10-character phrase, the case the target is for; a conjugated form; a word as the
  # book holds it, where the related words only add their searches.
  for pair in "generated:$book:学校に行ってしまった" "edict:$edict:学校に行ってしまった" "edict:$edict:食べた" \
              "edict:$edict:勉強させられた" "edict:$edict:こうしょう" "generated:$book:こうしょう"; do
    IFS=: read -r label root word <<<"$pair"
    [ -d "$root" ] || continue
    line=$(related_bench "$root" "$word" $((20000 * scale)))
    if [ -z "$line" ]; then
      warnings+=("related $word ($label): 'dunmoor bench --related' gave no result")
      continue
    fi
    ns=$(field ns_per_search "$line")
    exact=$(field ns_per_exact "$line")
    searches=$(field searches "$line")
    per=$(awk -v ns="$ns" -v n="$searches" 'BEGIN { if (n > 0) printf "%.2f", ns / n / 1000; else print "n/a" }')
    rows+=("$(printf '%-9s %-22s %5s %8s %11s %11s %9s %7s  %-10s %s' "$label" "$word" "$(field hits "$line")" \
      "$searches" "$(us "$ns")" "$(us "$exact")" "$per" "$(ratio "$ns" "$exact")" "<= 300 us" \
      "$(verdict "$(us "$ns")" 300)")")
  done
  echo
  echo "related lookup (headword search; exact = the search of the word as typed alone, same run)"
  printf '%-9s %-22s %5s %8s %11s %11s %9s %7s  %-10s %s\n' "book" "word" "hits" "searches" "mean (us)" \
    "exact (us)" "per (us)" "ratio" "target" ""
  for row in "${rows[@]+"${rows[@]}"}"; do echo "$row"; done
}
