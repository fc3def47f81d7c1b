#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each of them for a bounded time on a scratch copy of its seed corpus (the committed seeds
# are never changed). Exits non-zero when any target finds a crash, a sanitizer report, a leak,
# a timeout or a broken property.
#
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]
#   VL_FUZZ_BUILD_DIR   build folder (default build-fuzz in the repository)
#   VL_FUZZ_WORK_DIR    scratch folder for corpora, logs and findings (default: a new temp folder)
#   VL_FUZZ_JOBS        parallel build jobs (default 2)
#   VL_FUZZ_STRICT=1    also check the faults already reported under fuzz/crashes/
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "fuzz.sh: seconds-per-target must be a positive whole number, not '$seconds'" >&2
    exit 2
fi
build=${VL_FUZZ_BUILD_DIR:-$root/build-fuzz}
jobs=${VL_FUZZ_JOBS:-2}
all_targets=(fuzz_hyperlink_parse fuzz_url_encode fuzz_request_buffer fuzz_socket_frame
             fuzz_lzw12_decode fuzz_settings_file fuzz_shared_mem)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

# clang and its libFuzzer runtime (Debian 12: clang-14, libclang-rt-14-dev).
have_fuzzer() {
    command -v clang++ >/dev/null 2>&1 || return 1
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
        clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - >/dev/null 2>&1
}
if ! have_fuzzer; then
    echo "== installing clang and the libFuzzer runtime"
    export DEBIAN_FRONTEND=noninteractive
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
    $sudo_cmd apt-get update -qq && $sudo_cmd apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
    have_fuzzer || { echo "fuzz.sh: clang with -fsanitize=fuzzer is not usable" >&2; exit 2; }
fi

echo "== configuring $build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVL_BUILD_FUZZ=ON -DVL_SANITIZE=ON -DVL_BUILD_TESTS=OFF -DVL_BUILD_BENCH=OFF >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log" >&2; exit 2; }
echo "== building ${targets[*]}"
cmake --build "$build" --parallel "$jobs" --target "${targets[@]}" || exit 2

work=${VL_FUZZ_WORK_DIR:-$(mktemp -d /tmp/vl-fuzz.XXXXXX)}
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
summary=()
for target in "${targets[@]}"; do
    exe="$build/fuzz/$target"
    corpus="$work/$target/corpus"
    findings="$work/$target/findings"
    log="$work/$target/fuzz.log"
    rm -rf "$corpus" "$findings"
    mkdir -p "$corpus" "$findings"
    if [ -d "$root/fuzz/corpus/$target" ]; then
        cp "$root/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null
    fi
    echo "== $target: ${seconds}s"
    # A private temporary folder per target: the settings target makes its home folder there.
    TMPDIR="$work/$target" "$exe" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    if [ $rc -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
        failed+=("$target")
        summary+=("$target: FINDING (exit $rc) after ${runs:-?} runs; inputs in $findings, log $log")
        grep -E 'ERROR|SUMMARY|property violated|runtime error' "$log" | head -5 >&2
    else
        summary+=("$target: ok, ${runs:-?} runs, ${speed:-?} exec/s")
    fi
done

# The inputs of faults already reported: tell whether they still reproduce (not a failure).
if [ -d "$root/fuzz/crashes" ]; then
    for dir in "$root"/fuzz/crashes/*/; do
        target=$(basename "$dir")
        [ -x "$build/fuzz/$target" ] || continue
        for input in "$dir"*; do
            [ -f "$input" ] || continue
            if VL_FUZZ_STRICT=1 TMPDIR="$work" "$build/fuzz/$target" "$input" >"$work/replay.log" 2>&1; then
                summary+=("known $target/$(basename "$input"): fixed")
            else
                summary+=("known $target/$(basename "$input"): still reproduces")
            fi
        done
    done
fi

echo "== fuzz summary (work folder $work)"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz.sh: findings in ${failed[*]}" >&2
    exit 1
fi
echo "fuzz.sh: no findings"
