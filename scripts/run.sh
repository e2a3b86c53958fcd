#!/usr/bin/env bash
# Builds Quillpad (optimised) and starts it. Arguments are passed to the program (a file to open).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" release >/dev/null
exec "$here/build/release/src/ui/quillpad" "$@"
