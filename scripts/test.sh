#!/usr/bin/env bash
# The whole test suite on a fresh Debian 12 machine: packages, the normal build, the
# sanitizer build, and every test of both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
# Qt keeps some process-wide objects until exit; leak reports of those are noise, and the test
# lists are read from the test programs at build time, so this must hold for the build too.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
jobs=$(nproc)
for variant in build:-DVL_SANITIZE=OFF build-asan:-DVL_SANITIZE=ON; do
    dir=${variant%%:*}
    "$root/scripts/build.sh" "$dir" "${variant#*:}"
    echo "== tests in $dir"
    ctest --test-dir "$root/$dir" --output-on-failure --parallel "$jobs" --timeout 120
done

# A short run of every fuzz target, so that regressions on untrusted input show; the fuzzers
# keep their own sanitizer settings (leak checks on).
echo "== fuzz targets, ${VL_FUZZ_SECONDS:-10} s each"
env -u ASAN_OPTIONS -u UBSAN_OPTIONS "$root/scripts/fuzz.sh" "${VL_FUZZ_SECONDS:-10}"
