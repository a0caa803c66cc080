#!/usr/bin/env bash
# Builds everything and runs every test: the native build, the native build under
# AddressSanitizer and UBSan, a short run of every fuzz target (clang, build/fuzz), and the
# Windows build under Wine (with an X server of its own, Xvfb, for the windows). Ends with one
# line: "N passed, M failed".
#
#   scripts/test.sh            set up, build and test all four
#   DUNMOOR_BUILD=dir          where the builds go (default: build/ in the repository)
#   DUNMOOR_FUZZ_SMOKE=seconds how long each fuzz target runs (default 20)
#   DUNMOOR_PHASES="..."       only these of native, sanitize, fuzz, windows and soak (default: all;
#                              soak, the viewer kept at work for a few minutes, needs windows)
#   DUNMOOR_SOAK_MINUTES=n     how long the soak runs (default 3)
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DUNMOOR_BUILD:-$repo/build}
jobs=${DUNMOOR_JOBS:-2}

"$repo/scripts/setup.sh" || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
phases=" ${DUNMOOR_PHASES:-native sanitize fuzz windows soak} "
wanted() { [[ $phases == *" $1 "* ]]; }
log_dir="$build/logs"
mkdir -p "$log_dir"

# configure NAME DIR ARGS...: configures and builds; a failure counts as one failed test.
build_tree() {
  local name=$1 dir=$2
  shift 2
  echo "== $name: configure and build ($dir)"
  if ! cmake -S "$repo" -B "$dir" -G Ninja "$@" >"$log_dir/$name-configure.log" 2>&1; then
    tail -30 "$log_dir/$name-configure.log"
    echo "!! $name: configure failed"
    failed=$((failed + 1))
    return 1
  fi
  if ! cmake --build "$dir" -j "$jobs" >"$log_dir/$name-build.log" 2>&1; then
    grep -E "error|Error|FAILED" "$log_dir/$name-build.log" | head -40
    echo "!! $name: build failed"
    failed=$((failed + 1))
    return 1
  fi
}

# run_tests NAME DIR [CTEST ARGS...]: runs ctest and adds its counts.
run_tests() {
  local name=$1 dir=$2 log="$log_dir/$1-test.log"
  shift 2
  echo "== $name: tests"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300 "$@" >"$log" 2>&1
  local summary
  summary=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$summary" ]; then
    tail -40 "$log"
    echo "!! $name: ctest gave no summary"
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
  if [ "$bad" -ne 0 ]; then
    sed -n '/The following tests FAILED/,$p' "$log"
    grep -B5 -A25 -E "^\s*[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*Failed" "$log" | head -150
  fi
  echo "   $name: $summary"
  if [ "$bad" -ne 0 ] && [ -n "${rerun_once:-}" ]; then
    # A test that fails by chance (a machine so busy that a window misses its moment) runs once
    # more, on its own, and the log says so; a test that fails again counts as failed. Wine's
    # start failures that this was first made for are gone (wine-layout.sh).
    echo "   $name: running the $bad failed test(s) once more"
    ctest --test-dir "$dir" --output-on-failure --rerun-failed --timeout 300 "$@" >"$log_dir/$name-rerun.log" 2>&1
    local again
    again=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log_dir/$name-rerun.log" | tail -1)
    if [ -n "$again" ]; then
      sed -n '/The following tests FAILED/,$p' "$log_dir/$name-rerun.log"
      echo "   $name, once more: $again"
      bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$again")
    fi
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# --- native -------------------------------------------------------------------------------
if wanted native && build_tree native "$build/native" -DCMAKE_BUILD_TYPE=Debug; then
  run_tests native "$build/native"
fi

# --- native with AddressSanitizer and UBSan ---------------------------------------------------
if wanted sanitize && build_tree sanitize "$build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DDUNMOOR_SANITIZE=ON; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_tests sanitize "$build/sanitize"
fi

# --- fuzz targets, a short run each -------------------------------------------------------------
# Each libFuzzer target (scripts/fuzz.sh) runs for a few seconds from its seeds, two at a time;
# a target that finds a crash, leak or hang counts as a failed test.
if wanted fuzz; then
  echo "== fuzz: build and run each target for ${DUNMOOR_FUZZ_SMOKE:-20} s"
  DUNMOOR_FUZZ_RUNS="$build/fuzz-smoke" "$repo/scripts/fuzz.sh" "${DUNMOOR_FUZZ_SMOKE:-20}" >"$log_dir/fuzz.log" 2>&1
  fuzz_summary=$(grep -E "^fuzz: [0-9]+ passed, [0-9]+ failed" "$log_dir/fuzz.log" | tail -1)
  if [ -z "$fuzz_summary" ]; then
    tail -30 "$log_dir/fuzz.log"
    echo "!! fuzz: no summary"
    failed=$((failed + 1))
  else
    grep -E "^fuzz [a-z]+:|finding:" "$log_dir/fuzz.log" | sed 's/^/   /'
    passed=$((passed + $(sed -E 's/^fuzz: ([0-9]+) passed.*/\1/' <<<"$fuzz_summary")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$fuzz_summary")))
    echo "   $fuzz_summary"
  fi
fi

# --- Windows, under Wine and Xvfb --------------------------------------------------------------
xvfb_pid=""
cleanup() {
  if [ -d "$build/win/wineprefix" ]; then WINEPREFIX="$build/win/wineprefix" wineserver -k 2>/dev/null; fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

if wanted windows && build_tree windows "$build/win" -DCMAKE_BUILD_TYPE=Release \
     -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
     -DDUNMOOR_BOOKS_DIR="$build/native/discs"; then
  source "$repo/scripts/xvfb.sh"
  source "$repo/scripts/wine-layout.sh"
  start_xvfb 91 120 "$log_dir/xvfb.log"
  export WINEPREFIX="$build/win/wineprefix" WINEDEBUG=-all
  # The fonts of a Japanese system (menus, dialogs and message boxes show Japanese), written to
  # the prefix's files before the test scripts copy it; one server for all the test programs.
  source "$repo/scripts/wine-fonts.sh"
  prepare_wine_prefix "$log_dir/wineboot.log"
  # The scenes of this run only: the check that every scene is there must not find an older one.
  rm -rf "$build/win/test-artifacts"
  rerun_once=1 run_tests windows "$build/win"
  # The viewer kept at work for a few minutes and watched for growth and for a stop.
  if wanted soak; then
    echo "== soak: ${DUNMOOR_SOAK_MINUTES:-3} min (scripts/soak.sh)"
    if DUNMOOR_BUILD="$build" "$repo/scripts/soak.sh" "${DUNMOOR_SOAK_MINUTES:-3}" >"$log_dir/soak.log" 2>&1; then
      passed=$((passed + 1))
      grep -E "^soak (mix|growth|passed)" "$log_dir/soak.log" | sed 's/^/   /'
    else
      failed=$((failed + 1))
      tail -20 "$log_dir/soak.log"
      echo "!! soak failed (log: $log_dir/soak.log)"
    fi
  fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
