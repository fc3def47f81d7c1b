#!/usr/bin/env bash
# The demonstration: builds what is missing and runs the program on a built-in default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build
if [ -x "$root/build/tools/vlfoundation-demo" ]; then
    "$root/build/tools/vlfoundation-demo"
fi
