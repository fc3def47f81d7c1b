#!/usr/bin/env bash
# The whole test suite on a fresh Debian 12 machine: packages, the normal build, the
# sanitizer build, and every test of both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for variant in build:-DVL_SANITIZE=OFF build-asan:-DVL_SANITIZE=ON; do
    dir=${variant%%:*}
    "$root/scripts/build.sh" "$dir" "${variant#*:}"
    echo "== tests in $dir"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "$root/$dir" --output-on-failure --parallel "$jobs" --timeout 120
done
