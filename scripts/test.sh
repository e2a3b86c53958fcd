#!/usr/bin/env bash
# Builds every test with sanitizers and warnings as errors, then runs them all through ctest.
# UI tests run the real widgets on Qt's offscreen platform, so no display is needed.
# Before them each fuzz target runs for a short while (QUILL_FUZZ_SMOKE_SECONDS, 45 by default; 0 skips
# them), built with clang in build/fuzz (see scripts/fuzz.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" ci >/dev/null
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
# The fuzz smoke runs first, so that ctest's summary closes the output. New inputs it finds are reported
# loudly and kept under tests/fuzz/regressions/ to be committed with their fix; they do not fail this run,
# whose verdict must not depend on what a random search happens to reach. The committed seeds and found
# inputs are replayed by ctest below, and those do fail it.
smoke=${QUILL_FUZZ_SMOKE_SECONDS:-45}
if [ "$smoke" -gt 0 ]; then
  QUILL_FUZZ_FOUND_DIR="$here/build/fuzz/found" "$here/scripts/fuzz.sh" all "$smoke" ||
    echo "WARNING: the fuzz smoke found new failing inputs, kept in build/fuzz/found (see above)" >&2
fi
cd "$here/build/ci"
ctest --output-on-failure -j "$(nproc)" --timeout 600
