# Sourced by bench.sh --viewer: the viewer's own latency on the big books, under Wine.
#
# bench_viewer LABEL:ROOT:WORDS...: builds Brisvane.exe, the two DLLs and brisvane_latency.exe
# (Release, build/bench-win), prepares a Wine prefix of its own there (the Japanese fonts; no
# window manager on the display, so Wine manages the windows itself, as it does beside a real
# desktop's), starts Xvfb, times each book and prints one table. Uses repo, build, jobs.
bench_viewer() {
  local win="$repo/build/bench-win" rows=() given label root words line
  mkdir -p "$win"
  echo "== building the viewer (Release, $win)"
  if ! { cmake -S "$repo" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
           -DDUNMOOR_BOOKS_DIR="$repo/build/native/discs" &&
         cmake --build "$win" -j "$jobs" --target Brisvane Dunmoor Calvetta brisvane_latency; } \
       >"$win/bench-build.log" 2>&1; then
    grep -E "error|FAILED" "$win/bench-build.log" | head -30
    echo "bench: building the viewer failed (log: $win/bench-build.log)" >&2
    return 1
  fi

  source "$repo/scripts/xvfb.sh"
  xvfb_pid=""
  trap '[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null; [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
  start_xvfb 151 180 "$win/xvfb.log"
  export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all
  source "$repo/scripts/wine-layout.sh"
  source "$repo/scripts/wine-fonts.sh"
  prepare_wine_prefix "$win/wineboot.log"

  for given in "$@"; do
    IFS=: read -r label root words <<<"$given"
    if [ "$label" = shelf ]; then
      # ROOT is a shelf file of native paths: the viewer takes them as Windows paths.
      local winshelf="$win/shelf-win.txt" line_root
      : >"$winshelf"
      while read -r line_root; do winepath -w "$line_root" >>"$winshelf"; done <"$root"
      echo "== timing the viewer on a shelf of $(wc -l <"$winshelf") books"
      if ! line=$(cd "$win/bin" && wine brisvane_latency.exe --shelf shelf "$(winepath -w "$winshelf")" \
                    "$(winepath -w "$words")" "$((5 * scale))" 2>&1); then
        echo "$line" | tail -5
        echo "bench: the viewer could not be timed on the shelf" >&2
        continue
      fi
      rows+=("$(grep -E '^viewer ' <<<"$line")")
      continue
    fi
    echo "== timing the viewer on the $label book"
    if ! line=$(cd "$win/bin" && wine brisvane_latency.exe "$label" "$(winepath -w "$root")" "$(winepath -w "$words")" \
                  "$((5 * scale))" 2>&1); then
      echo "$line" | tail -5
      echo "bench: the viewer could not be timed on the $label book" >&2
      continue
    fi
    rows+=("$(grep -E '^viewer ' <<<"$line")")
  done

  # ours MS DESIGN: what is left beside the design's own waits.
  ours() { awk -v a="$1" -v d="$2" 'BEGIN { if (a < 0) print "n/a"; else printf "%.0f", a - d }'; }
  echo
  echo "viewer under Wine (ms; median of the runs; 'ours' is the time beyond the design's own waits:"
  echo "the progress dialog counts 100 ms after it opens, then adds 4,000 items every 50 ms; the"
  echo "typed-... cases time as-you-type from the last key, its own wait being the 150 ms pause)"
  printf '%-10s %-12s %6s %7s %9s %5s %10s %5s %12s %s\n' book case hits design "list" ours entry ours target ""
  local all
  all=$(printf '%s\n' "${rows[@]+"${rows[@]}"}")
  while read -r line; do
    [ -n "$line" ] || continue
    grep -q ' paging ' <<<"$line" && continue
    local book case hits design list entry target="" status=""
    book=$(sed -nE 's/.* book=([^ ]+).*/\1/p' <<<"$line")
    case=$(sed -nE 's/.* case=([^ ]+).*/\1/p' <<<"$line")
    hits=$(field hits "$line"); design=$(field design_ms "$line")
    list=$(sed -nE 's/.* list_ms=([-0-9.]+).*/\1/p' <<<"$line")
    entry=$(sed -nE 's/.* entry_ms=([-0-9.]+).*/\1/p' <<<"$line")
    # The targets: the first entry beyond the design's waits (exact, 2,000 hits, as-you-type),
    # the shelf's first entry, the full list of the largest search.
    local beyond
    beyond=$(awk -v a="$entry" -v d="$design" 'BEGIN { printf "%.1f", a < 0 ? 1e9 : a - d }')
    case "$case" in
      exact) target="ours<=15"; status=$(verdict "$beyond" 15) ;;
      prefix) target="ours<=30"; status=$(verdict "$beyond" 30) ;;
      typed-*) target="ours<=30"; status=$(verdict "$beyond" 30) ;;
      shelf-exact) target="entry<=50"; status=$(verdict "$entry" 50) ;;
      suffix) target="list<=250"; status=$(verdict "$list" 250) ;;
    esac
    printf '%-10s %-12s %6s %7s %9s %5s %10s %5s %12s %s\n' "$book" "$case" "$hits" "$design" "$list" \
      "$(ours "$list" "$design")" "$entry" "$(ours "$entry" "$design")" "$target" "$status"
  done <<<"$all"
  echo
  echo "paging: Page Down from the first item to the last, each step shown and painted"
  printf '%-10s %-7s %6s %9s %12s\n' book case pages "total" "per page"
  while read -r line; do
    grep -q ' paging ' <<<"$line" || continue
    printf '%-10s %-7s %6s %9s %12s\n' "$(sed -nE 's/.* book=([^ ]+).*/\1/p' <<<"$line")" \
      "$(sed -nE 's/.* case=([^ ]+).*/\1/p' <<<"$line")" "$(field pages "$line")" \
      "$(field total_ms "$line")" "$(field per_page_ms "$line")"
  done <<<"$all"
  [ "${#rows[@]}" -gt 0 ]
}
