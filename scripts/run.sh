#!/usr/bin/env bash
# Builds Quillpad (optimised) and starts it. Arguments are passed to the program (a file to open).
# Only the program is built, not the tests or the benchmarks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
dir="$here/build/release"
cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target quillpad -j "$(nproc)" >/dev/null
exec "$dir/src/ui/quillpad" "$@"
