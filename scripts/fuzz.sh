#!/usr/bin/env bash
# Runs every fuzzer of a build made with -DKEEPSAKE_BUILD_FUZZERS=ON for the
# given number of seconds each, on a copy of its seed corpus (the committed
# corpus never grows by itself), and prints one line per fuzzer. Fails when
# any fuzzer finds a crash, a hang or runaway memory; the input that did it is
# kept under BUILD_DIR/fuzz-findings/<fuzzer>/ until that fuzzer runs again.
#
#   scripts/fuzz.sh BUILD_DIR SECONDS [FUZZER...]
set -euo pipefail

if [ $# -lt 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 BUILD_DIR SECONDS [FUZZER...]" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "$1" && pwd)
seconds=$2
shift 2

fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
  for program in "$build_dir"/fuzz/fuzz_*; do
    [ -x "$program" ] && [ -f "$program" ] && fuzzers+=("$(basename "$program")")
  done
fi
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "No fuzzers in $build_dir/fuzz: configure with CC=clang CXX=clang++" \
    "-DKEEPSAKE_BUILD_FUZZERS=ON and build the target keepsake_fuzzers." >&2
  exit 1
fi

# The fuzzers write each input to a scratch file; memory is the fastest place.
# Their own temporary folders go below the work folder, so that one a fuzzer
# could not remove (it stops at once on a finding) goes with it.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir "$TMPDIR"

# The RTF fuzzer lays documents out, which asks fontconfig for fonts; the
# blocks fontconfig keeps for the process's life are the same ones the
# sanitized tests are told to ignore.
export LSAN_OPTIONS="suppressions=$source_dir/tests/sanitizers/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

failed=0
for fuzzer in "${fuzzers[@]}"; do
  corpus="$work/$fuzzer"
  findings="$build_dir/fuzz-findings/$fuzzer"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  if [ -d "$source_dir/fuzz/corpus/$fuzzer" ]; then
    cp -RL "$source_dir/fuzz/corpus/$fuzzer/." "$corpus/"
  fi
  options=(-max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$findings/")
  if [ -f "$source_dir/fuzz/dict/$fuzzer.dict" ]; then
    options+=(-dict="$source_dir/fuzz/dict/$fuzzer.dict")
  fi

  log="$findings/last-run.log"
  status=0
  "$build_dir/fuzz/$fuzzer" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1 |
    sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+) corp: ([^ ]+).*/cov \1  ft \2  corpus \3/' || true)
  found=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'timeout-*' \
    -o -name 'oom-*' -o -name 'leak-*' \) | head -n 1)
  if [ $status -ne 0 ] || [ -n "$found" ]; then
    printf '%-26s FAILED (exit %d) %s\n' "$fuzzer" "$status" "${found:-see $log}"
    grep -E '^(==[0-9]+== ?ERROR|SUMMARY|.*: expected )' "$log" | head -n 5 | sed 's/^/    /' ||
      true
    failed=1
  else
    printf '%-26s runs %-9s %s\n' "$fuzzer" "${runs:-?}" "$coverage"
  fi
done
exit $failed
