#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in build/fuzz
# and runs a campaign. Usage:
#   scripts/fuzz.sh TARGET|all [seconds per target, default 600]
# Targets: document_pipeline editor_stream settings_file.
# Each target starts from its seeds (tests/fuzz/seeds/TARGET) and the inputs found before
# (tests/fuzz/regressions/TARGET); what it learns is kept in build/fuzz/corpus/TARGET for the next run.
# An input that fails a check or crashes is written to tests/fuzz/regressions/TARGET/: commit it with the fix,
# and the normal test run replays it from then on.
# QUILL_FUZZ_SKIP_PENDING=1 (the default) lets the faults kept under tests/fuzz/pending/ end an input
# quietly, so a campaign looks for other faults; set it to 0 to see them fail.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
all=(document_pipeline editor_stream settings_file)
target=${1:-}
seconds=${2:-600}
if [ -z "$target" ]; then
  echo "usage: $0 TARGET|all [seconds]   targets: ${all[*]}" >&2
  exit 2
fi
if [ "$target" = all ]; then targets=("${all[@]}"); else targets=("$target"); fi
for t in "${targets[@]}"; do
  [ -f "$here/tests/fuzz/$t.cpp" ] || { echo "no fuzz target $t (targets: ${all[*]})" >&2; exit 2; }
done

"$here/scripts/install-deps.sh"
dir="$here/build/fuzz"
# -O1 keeps the sanitizers' reports readable and the runs fast; assertions stay on.
cmake -S "$here" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g" \
  -DQUILL_BUILD_FUZZ=ON -DQUILL_SANITIZE=ON -DQUILL_WERROR=ON -DQUILL_BUILD_UI=OFF -DQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}") >/dev/null

export QUILL_FUZZ_SKIP_PENDING=${QUILL_FUZZ_SKIP_PENDING:-1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  found="$here/tests/fuzz/regressions/$t"
  # Where a failing input is written: the regressions by default; the test command keeps its findings in
  # the build folder, so that they do not become part of the replays of the same run.
  kept="${QUILL_FUZZ_FOUND_DIR:-$here/tests/fuzz/regressions}/$t"
  mkdir -p "$corpus" "$found" "$kept"
  log="$dir/$t.log"
  echo "fuzzing $t for ${seconds} s (log: $log)"
  if "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$kept/" "$corpus" "$here/tests/fuzz/seeds/$t" "$found" >"$log" 2>&1; then
    status=clean
  else
    status="FAILED, input kept in $kept/"
    failed+=("$t")
    grep -E "fuzz check failed|ERROR: |SUMMARY" "$log" | head -5 >&2 || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1)
  echo "  $t: $status; ${runs:-?} executions; ${cov:-no coverage line}"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
