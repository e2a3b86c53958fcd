#!/usr/bin/env bash
# Configures and builds Quillpad. Usage: scripts/build.sh [debug|release|ci]
#   release (default): optimised program in build/release
#   debug:             build/debug
#   ci:                tests with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors, in build/ci
#                      (the benchmarks are compiled too, so they cannot rot, but not run)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
case "$kind" in
  release) flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  debug)   flags=(-DCMAKE_BUILD_TYPE=Debug) ;;
  ci)      flags=(-DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_WERROR=ON -DQUILL_BUILD_BENCH=ON) ;;
  *) echo "usage: $0 [debug|release|ci]" >&2; exit 2 ;;
esac
dir="$here/build/$kind"
cmake -S "$here" -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
echo "$dir"
