# Sourced by bench.sh: keyword and full-text search on both big books, plain and compressed
# (ebzip level 2), each full-text figure beside a grep baseline of the same run. Uses bench.sh's
# variables and helpers (dunmoor, build, book, words, fpw_book, fpw_words, scale, field, us,
# calibrated, ratio, warnings).

# honmon_of ROOT: the text file of the book at ROOT.
honmon_of() { find "$1" -maxdepth 3 -type f -iname honmon | head -1; }

# text_area HONMON: "START_PAGE PAGES" of descriptor 0x00.
text_area() {
  local count i fields
  count=$(od -An -tu1 -N2 "$1" | awk '{ print $1 * 256 + $2 }')
  for ((i = 0; i < count; i++)); do
    fields=$(od -An -tu1 -j $((16 + 16 * i)) -N 10 "$1")
    awk '$1 == 0 { printf "%d %d\n", (($3 * 256 + $4) * 256 + $5) * 256 + $6, (($7 * 256 + $8) * 256 + $9) * 256 + $10 }' \
      <<<"$fields" | grep . && return 0
  done
  return 1
}

# needle_file WORD FILE: WORD (UTF-8, full-width) in the book's code, JIS X 0208 bytes, into FILE.
needle_file() {
  printf '%s' "$1" | iconv -f UTF-8 -t EUC-JP | od -An -tu1 -v |
    LC_ALL=C awk '{ for (i = 1; i <= NF; i++) printf "%c", $i - 128 }' >"$2"
}

# grep_ms AREA NEEDLE: the mean time of grep -c -F in milliseconds, start-up taken off; sets
# grep_count.
grep_ms() {
  local runs=$((20 * scale)) start mid end i
  : >"$build/empty.bin"
  # Not to /dev/null: GNU grep stops at the first match when its output goes nowhere.
  local out="$build/grep.out"
  grep_count=$(LC_ALL=C grep -c -F -f "$2" "$1" || true)
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do LC_ALL=C grep -c -F -f "$2" "$1" >"$out" || true; done
  mid=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do LC_ALL=C grep -c -F -f "$2" "$build/empty.bin" >"$out" || true; done
  end=$(date +%s%N)
  awk -v a=$((mid - start)) -v b=$((end - mid)) -v n="$runs" 'BEGIN { printf "%.2f", (a - b) / n / 1e6 }'
}

# our_bench KIND ROOT WORD REPEAT: "HITS NS" of dunmoor bench --KIND, after a warm-up call.
our_bench() {
  local warm ns line
  warm=$("$dunmoor" bench "--$1" "$2" "$3" 2 0 2>/dev/null | grep -E '^bench hits=' || true)
  ns=$(field ns_per_search "$warm")
  line=$("$dunmoor" bench "--$1" "$2" "$3" "$(calibrated "$4" "${ns:-0}")" 0 2>&1 | grep -E '^bench hits=' || true)
  echo "$(field hits "$line") $(field ns_per_search "$line")"
}

ms() { awk -v ns="$1" 'BEGIN { if (ns == "") print "n/a"; else printf "%.2f", ns / 1e6 }'; }
within() { awk -v v="$1" -v t="$2" 'BEGIN { print (v != "" && v != "n/a" && v <= t ? "ok" : "SLOW") }'; }

bench_other_searches() {
  local label root list honmon area start pages copy needle packed
  local kana_word="せい" latin_word="e" latin_grep="ｅ"
  local text_rows=() packed_rows=() keyword_rows=()
  for pair in "generated:$book:$words" "freepwing:$fpw_book:$fpw_words"; do
    IFS=: read -r label root list <<<"$pair"
    honmon=$(honmon_of "$root")
    area=$(text_area "$honmon" || true)
    if [ -z "$area" ]; then
      warnings+=("$label: no text area descriptor in $honmon")
      continue
    fi
    read -r start pages <<<"$area"
    copy="$build/textarea-$label.bin"
    dd if="$honmon" of="$copy" bs=2048 skip=$((start - 1)) count="$pages" status=none

    # Full text: a two-character kana word, and one Latin letter found in most entries.
    local hits ns base ratio_v plain_kana plain_latin
    for kind in kana latin; do
      local word grep_word target limit_ms
      if [ "$kind" = kana ]; then word=$kana_word; grep_word=$kana_word; target=2; limit_ms=20;
      else word=$latin_word; grep_word=$latin_grep; target=3; limit_ms=""; fi
      needle="$build/needle-$kind.bin"
      needle_file "$grep_word" "$needle"
      base=$(grep_ms "$copy" "$needle")
      read -r hits ns <<<"$(our_bench text "$root" "$word" $((200 * scale)))"
      ratio_v=$(ratio "$(awk -v ns="$ns" 'BEGIN { print ns / 1e6 }')" "$base")
      local status
      status=$(awk -v r="$ratio_v" -v t="$target" -v m="$(ms "$ns")" -v l="$limit_ms" \
        'BEGIN { ok = (r != "n/a" && r <= t); if (l != "") ok = ok && m <= l; print ok ? "ok" : "SLOW" }')
      if [ "$kind" = latin ] && [ "${hits:-0}" -le 100000 ]; then warnings+=("full text $word ($label): only $hits hits"); fi
      text_rows+=("$(printf '%-22s %-9s %7s %10s %10s %7s  %-22s %s' "full text $word" "$label" "${hits:-?}" \
        "$(ms "$ns")" "$base" "$ratio_v" "<= ${target}x grep${limit_ms:+, <= $limit_ms ms}" "$status")")
      if [ "$kind" = kana ]; then plain_kana=$ns; else plain_latin=$ns; fi
    done

    # The same scans on the book compressed at level 2: each inflated slice read once.
    packed="$build/$label-ebz2"
    if [ ! -f "$packed/done" ] || [ "$list" -nt "$packed/done" ]; then
      echo "== compressing the $label big book at level 2 ($packed)"
      rm -rf "$packed"
      mkdir -p "$packed"
      ebzip --quiet --keep --force-overwrite --level 2 --output-directory "$packed" "$root"
      touch "$packed/done"
    fi
    for kind in kana latin; do
      local word plain
      if [ "$kind" = kana ]; then word=$kana_word; plain=$plain_kana; else word=$latin_word; plain=$plain_latin; fi
      read -r hits ns <<<"$(our_bench text "$packed" "$word" $((50 * scale)))"
      ratio_v=$(ratio "$ns" "$plain")
      packed_rows+=("$(printf '%-22s %-9s %7s %10s %10s %7s  %-22s %s' "full text $word" "$label" "${hits:-?}" \
        "$(ms "$plain")" "$(ms "$ns")" "$ratio_v" "<= 5x plain" "$(within "$ratio_v" 5)")")
    done

    # Keyword search: one whole word, two whole words, two 2-letter prefixes.
    for name in keyword keywords keyword-prefixes; do
      local word expected target_us
      word=$(awk -v n="$name" '$1 == n { print $2 }' "$list")
      expected=$(awk -v n="$name" '$1 == n { print $3 }' "$list")
      case $name in keyword) target_us=30 ;; keywords) target_us=60 ;; *) target_us=1000 ;; esac
      if [ -z "$word" ]; then
        warnings+=("keyword ($label): no planted keyword in $list (make the book again)")
        continue
      fi
      read -r hits ns <<<"$(our_bench keyword "$root" "$word" $((100000 * scale)))"
      if [ "${hits:-}" != "$expected" ]; then warnings+=("$name ($label): ${hits:-no} hits, expected $expected"); fi
      keyword_rows+=("$(printf '%-22s %-9s %7s %9s %10s  %-10s %s' "$name" "$label" "${hits:-?}" "$expected" \
        "$([ -n "$ns" ] && us "$ns")" "<= $target_us us" "$([ -n "$ns" ] && within "$(us "$ns")" "$target_us")")")
    done
  done

  echo
  echo "full text (Release, warm cache; grep: grep -c -F of the same bytes over a copy of the text area)"
  printf '%-22s %-9s %7s %10s %10s %7s  %-22s %s\n' "case" "book" "hits" "ours (ms)" "grep (ms)" "ratio" "target" ""
  for row in "${text_rows[@]+"${text_rows[@]}"}"; do echo "$row"; done
  echo
  echo "full text on the books compressed by ebzip at level 2 (ratio = packed / plain, both from this run)"
  printf '%-22s %-9s %7s %10s %10s %7s  %-22s %s\n' "case" "book" "hits" "plain (ms)" "packed (ms)" "ratio" "target" ""
  for row in "${packed_rows[@]+"${packed_rows[@]}"}"; do echo "$row"; done
  echo
  echo "keyword search (the book's keyword index; words separated by a comma are searched together)"
  printf '%-22s %-9s %7s %9s %10s  %-10s %s\n' "case" "book" "hits" "expected" "mean (us)" "target" ""
  for row in "${keyword_rows[@]+"${keyword_rows[@]}"}"; do echo "$row"; done
}
