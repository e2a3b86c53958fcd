#!/usr/bin/env bash
# Builds every test with sanitizers and warnings as errors, then runs them all through ctest.
# UI tests run the real widgets on Qt's offscreen platform, so no display is needed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" ci >/dev/null
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
cd "$here/build/ci"
ctest --output-on-failure -j "$(nproc)" --timeout 600
