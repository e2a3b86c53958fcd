#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs them. Arguments go to Google Benchmark, for example
#   scripts/bench.sh --benchmark_filter=Keystroke
# With no arguments the comparison with QScintilla and QPlainTextEdit (bench/compare) runs last;
# QUILL_COMPARE_ONLY=1 runs only that.
# The Qt benchmarks (beside QPlainTextEdit) run on Qt's offscreen platform.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
# QScintilla, the peer of the side-by-side comparison; the benchmarks build and run without it.
if ! dpkg-query -W -f='${Status}' libqscintilla2-qt6-dev 2>/dev/null | grep -q 'install ok installed'; then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends libqscintilla2-qt6-dev ||
      { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends libqscintilla2-qt6-dev; } ||
      echo "QScintilla could not be installed: comparing with QPlainTextEdit only" >&2
  else
    echo "Install libqscintilla2-qt6-dev to compare with QScintilla too" >&2
  fi
fi
dir="$here/build/bench"
cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON -DQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
if [ "${QUILL_COMPARE_ONLY:-0}" != 1 ]; then
  "$dir/bench/quill_bench" "$@"
  if [ -x "$dir/bench/quill_ui_bench" ]; then
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/quill_ui_bench" "$@"
  fi
fi
# The side-by-side table (medians of 3 processes each); it takes no Google Benchmark arguments, so it
# runs only when none were given, or alone with QUILL_COMPARE_ONLY=1.
if [ -x "$dir/bench/quill_compare_bench" ] && [ $# -eq 0 ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/bench/quill_compare_bench"
fi
