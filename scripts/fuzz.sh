#!/usr/bin/env bash
# Builds the libFuzzer targets (build/fuzz: clang, DUNMOOR_FUZZ=ON) and runs each for SECONDS,
# two at a time, each on a copy of its seed corpus in a run folder of its own, so that what a
# run adds never lands among the committed seeds:
#
#   scripts/fuzz.sh SECONDS [TARGET...]     targets: catalog search text media layout keys writers ebzip inputs
#
#   DUNMOOR_BUILD=dir          where the builds go (default: build/ in the repository)
#   DUNMOOR_FUZZ_RUNS=dir      the run folders (default: BUILD/fuzz-runs); per target:
#                              corpus/ (grows from run to run), findings/ (crashing, leaking or
#                              hanging inputs), log (libFuzzer's output of the last run)
#   DUNMOOR_FUZZ_SUMMARIES=dir where TARGET.summary goes (default: the run folder)
#   DUNMOOR_FUZZ_PARALLEL=n    targets run at a time (default 2)
#
# Prints one line a target: "fuzz TARGET: E executions (R/s), cov C, ft F, corpus K, findings N (by
# kind: crash, leak, timeout, oom)" and
# ends with "fuzz: N passed, M failed" (a target fails when it found anything, or did not run).
# Exit status 0 when every target passed. A finding is fixed with its input replayed as a
# regression (fuzz/regressions/TARGET/, see fuzz/README.md).
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}
runs=${DUNMOOR_FUZZ_RUNS:-$build/fuzz-runs}
summaries=${DUNMOOR_FUZZ_SUMMARIES:-$runs}
parallel=${DUNMOOR_FUZZ_PARALLEL:-2}
all_targets=(catalog search text media layout keys writers ebzip inputs)

seconds=${1:-}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  if [[ ! " ${all_targets[*]} " =~ " $t " ]]; then
    echo "fuzz: no target $t (targets: ${all_targets[*]})" >&2
    exit 2
  fi
done

# Longest input a target takes: room for its seeds (a text file of the seed book is 52 KiB).
max_len() {
  case $1 in
    catalog) echo 8192 ;;
    search) echo 65536 ;;
    text) echo 65700 ;;
    media) echo 73728 ;;
    layout) echo 16384 ;;
    keys) echo 1024 ;;
    writers) echo 16384 ;;
    ebzip) echo 70000 ;;
  esac
}

mkdir -p "$runs" "$summaries"
echo "== fuzz: build ($build/fuzz)"
if ! cmake -S "$repo" -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDUNMOOR_FUZZ=ON -DDUNMOOR_TESTS=OFF \
       >"$runs/configure.log" 2>&1 ||
   ! cmake --build "$build/fuzz" -j 2 $(printf -- '--target fuzz_%s ' "${targets[@]}") >"$runs/build.log" 2>&1; then
  grep -E "error|Error" "$runs/configure.log" "$runs/build.log" | head -30
  echo "fuzz: build failed"
  echo "fuzz: 0 passed, ${#targets[@]} failed"
  exit 1
fi

# run_target TARGET: one libFuzzer run; writes the summary and prints the target's line.
run_target() {
  local t=$1 dir="$runs/$1"
  mkdir -p "$dir/corpus" "$dir/findings"
  cp -n "$repo/fuzz/corpus/$t/"* "$dir/corpus/" 2>/dev/null
  local before_findings start end
  before_findings=$(find "$dir/findings" -type f | wc -l)
  start=$(date +%s)
  # The run uses a copy of the program, so that a rebuild during a long run changes nothing.
  cp "$build/fuzz/bin/fuzz_$t" "$dir/fuzz_$t"
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     "./fuzz_$t" corpus -dict="$repo/fuzz/dict/$t.dict" -max_len="$(max_len "$t")" \
       -timeout=10 -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$dir/findings/") >"$dir/log" 2>&1
  end=$(date +%s)
  local executions rate cov ft corpus findings total
  executions=$(grep -aE '^stat::number_of_executed_units:' "$dir/log" | awk '{print $2}' | tail -1)
  rate=$(grep -aE '^stat::average_exec_per_sec:' "$dir/log" | awk '{print $2}' | tail -1)
  cov=$(grep -aoE 'cov: [0-9]+' "$dir/log" | tail -1 | awk '{print $2}')
  ft=$(grep -aoE 'ft: [0-9]+' "$dir/log" | tail -1 | awk '{print $2}')
  corpus=$(find "$dir/corpus" -type f | wc -l)
  findings=$(($(find "$dir/findings" -type f | wc -l) - before_findings))
  # libFuzzer names what it leaves by kind: crash-, leak-, timeout-, oom-, slow-unit-.
  local kinds=""
  if [ "$findings" -ne 0 ]; then
    kinds=" ($(ls -1t "$dir/findings" | head -"$findings" | sed -E 's/-[0-9a-f]+$//' | sort | uniq -c |
               awk '{printf "%s%s %s", sep, $1, $2; sep=", "}'))"
  fi
  total=$(( $(cat "$dir/total-seconds" 2>/dev/null || echo 0) + end - start ))
  echo "$total" >"$dir/total-seconds"
  {
    echo "target: $t"
    echo "finished: $(date -u +%Y-%m-%dT%H:%M:%SZ)"
    echo "seconds run: $((end - start)) (all runs so far: $total)"
    echo "executions: ${executions:-0} (${rate:-0} a second)"
    echo "cov: ${cov:-0}"
    echo "ft: ${ft:-0}"
    echo "corpus size: $corpus files"
    echo "findings: $findings$kinds"
    ls -1t "$dir/findings" 2>/dev/null | head -$findings | sed 's/^/  /'
    echo "log: $dir/log"
  } >"$summaries/$t.summary"
  echo "fuzz $t: ${executions:-0} executions (${rate:-0}/s), cov ${cov:-0}, ft ${ft:-0}, corpus $corpus, findings $findings$kinds" \
       "in $((end - start)) s" >"$dir/line"
  local status=ok
  if [ "$findings" -ne 0 ] || [ -z "$executions" ]; then status=failed; fi
  echo "$status" >"$dir/status"
}

running=0
for t in "${targets[@]}"; do
  rm -f "$runs/$t/status"
  run_target "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

passed=0
failed=0
for t in "${targets[@]}"; do
  cat "$runs/$t/line" 2>/dev/null || echo "fuzz $t: did not run"
  if [ "$(cat "$runs/$t/status" 2>/dev/null)" = ok ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    [ -d "$runs/$t/findings" ] && ls -1 "$runs/$t/findings" | sed "s|^|   finding: $runs/$t/findings/|"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
