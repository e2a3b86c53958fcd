#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs them. Arguments go to Google Benchmark, for example
#   scripts/bench.sh --benchmark_filter=Keystroke
# The Qt benchmarks (beside QPlainTextEdit) run on Qt's offscreen platform.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
dir="$here/build/bench"
cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
"$dir/bench/quill_bench" "$@"
if [ -x "$dir/bench/quill_ui_bench" ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/quill_ui_bench" "$@"
fi
