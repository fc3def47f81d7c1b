#!/usr/bin/env bash
# Every benchmark, side by side with the tool a user would pick instead, in one run: a Release
# build with -DVL_BUILD_BENCH=ON in build-bench (or $1), then link parsing, CRC-32, request
# checksum, cipher, key agreement, LZW12 against ncompress, the stand-in server load and the
# whole-process web route. Prints ratios; figures are only comparable within one run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
case $build in /*) ;; *) build=$root/$build ;; esac

need=()
command -v compress > /dev/null || need+=(ncompress)
command -v valgrind > /dev/null || need+=(valgrind)
command -v hyperfine > /dev/null || need+=(hyperfine)
dpkg-query -W -f='${Status}' libbenchmark-dev 2>/dev/null | grep -q 'install ok installed' || need+=(libbenchmark-dev)
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq || true
    # hyperfine is optional (plain timing loops are used without it).
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" || true
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVL_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j2 --target bench_links bench_crc bench_crypt bench_lzw lzw12_tool bare_qt \
    vlurlredirector vlserver-stub
cmake --build "$build" -j2 --target bench_session 2> /dev/null || echo "(bench_session not available)"

micro=$build/bench/micro
out=$(mktemp -d /tmp/vlbench.XXXXXX)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen

echo "== machine: $(uname -m), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(date -u '+%Y-%m-%d %H:%M UTC')"

# Mean CPU time of benchmark a over benchmark b from Google Benchmark JSON files.
ratio() {
    python3 - "$@" <<'PY'
import json, sys
def load(path):
    times = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("aggregate_name") == "mean":
            times[b["run_name"]] = b["cpu_time"] * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    return times
times = {}
for path in sys.argv[1].split(","):
    times.update(load(path))
for pair in sys.argv[2:]:
    # speed: how many times faster a is than b; cost: how many times a's time b's is.
    label, a, b, mode = pair.split("|")
    ta = next(v for k, v in times.items() if k.startswith(a))
    tb = next(v for k, v in times.items() if k.startswith(b))
    value = tb / ta if mode == "speed" else ta / tb
    print(f"{label}: {value:.2f}x {mode}   ({a} {ta:,.0f} ns, {b} {tb:,.0f} ns CPU per iteration)")
PY
}
run() {
    local name=$1; shift
    "$micro/$name" --benchmark_out="$out/$name.json" --benchmark_out_format=json \
        --benchmark_report_aggregates_only=true "$@" > "$out/$name.txt" 2>&1 || { cat "$out/$name.txt"; return 1; }
}

echo "== link parsing (links per second, ours / QUrl; goal >= 2.0)"
run bench_links
ratio "$out/bench_links.json" "isValidHyperlink vs QUrl|BM_Links_CVLHyperlink|BM_Links_QUrl|speed"

echo "== CRC-32 of 64 MiB (speed, ours / zlib crc32; goal >= 1.0) and request checksum over 1 MiB"
run bench_crc
ratio "$out/bench_crc.json" "CRC-32 vs zlib|BM_CRC32_CVLFile|BM_CRC32_zlib|speed" \
    "checksum vs plain byte loop (goal >= 4)|BM_Checksum_CVLReqBuffer|BM_Checksum_PlainLoop|speed" \
    "checksum vs memchr bandwidth|BM_Checksum_CVLReqBuffer|BM_Checksum_MemchrBandwidth|speed"

echo "== cipher and key agreement (cost: our time / bare OpenSSL time)"
run bench_crypt
ratio "$out/bench_crypt.json" "AES-256-OFB 100 B (goal <= 1.5)|BM_AES_CMVCrypt/100/|BM_AES_BareEVP/100/|cost" \
    "AES-256-OFB 1 MiB (goal <= 1.05)|BM_AES_CMVCrypt/1048576|BM_AES_BareEVP/1048576|cost" \
    "DH key pair + secret (goal <= 1.2)|BM_DH_CMVCrypt|BM_DH_Bare|cost"

echo "== LZW12 against compress -b12 / uncompress (32 MiB files in /tmp)"
lzw=$out/lzw
mkdir -p "$lzw"
# English-like text: the license texts and manual pages, repeated to 32 MiB.
python3 - "$lzw/text32m" <<'PY'
import glob, gzip, sys
seed = bytearray()
for path in sorted(glob.glob("/usr/share/common-licenses/*")):
    try:
        seed += open(path, "rb").read()
    except OSError:
        pass
for path in sorted(glob.glob("/usr/share/man/man1/*.gz")):
    if len(seed) >= 8 << 20:
        break
    try:
        seed += gzip.open(path).read()
    except OSError:
        pass
n = 32 << 20
open(sys.argv[1], "wb").write((bytes(seed) * (n // len(seed) + 1))[:n])
PY
head -c $((32 << 20)) /dev/urandom > "$lzw/random32m"
best() {  # best of 3 wall seconds of a command line
    local t best=999
    for _ in 1 2 3; do
        t=$( { /usr/bin/time -f %e bash -c "$1" > /dev/null; } 2>&1 | tail -1 )
        best=$(awk -v a="$t" -v b="$best" 'BEGIN {print (a < b) ? a : b}')
    done
    echo "$best"
}
for f in text32m random32m; do
    src=$lzw/$f
    compress -b12 -c "$src" > "$src.Z"
    "$micro/lzw12_tool" c "$src" "$src.lzw"
    tc=$(best "compress -b12 -c '$src' > /dev/null")
    oc=$(best "'$micro/lzw12_tool' c '$src' '$src.lzw'")
    tu=$(best "uncompress -c '$src.Z' > /dev/null")
    od=$(best "'$micro/lzw12_tool' d '$src.lzw' '$src.out'")
    cmp -s "$src" "$src.out" || echo "ROUND TRIP MISMATCH on $f"
    awk -v f="$f" -v tc="$tc" -v oc="$oc" -v tu="$tu" -v od="$od" -v zs="$(stat -c %s "$src.Z")" \
        -v ls="$(stat -c %s "$src.lzw")" 'BEGIN {
        printf "%s: compress ours %.0f MB/s, ncompress %.0f MB/s, ratio %.2fx (goal >= 1.0); sizes %d vs %d\n",
               f, 32 / oc, 32 / tc, tc / oc, ls, zs
        printf "%s: decompress ours %.0f MB/s, uncompress %.0f MB/s, ratio %.2fx (goal >= 1.0)\n",
               f, 32 / od, 32 / tu, tu / od }'
done
VL_BENCH_LZW_FILES="$lzw/text32m:$lzw/random32m" run bench_lzw
grep -E 'mean' "$out/bench_lzw.txt" | awk '{for (i = 1; i <= NF; i++) if ($i ~ /^bytes_per_second=/) print "in process:", $1, $i}'

echo "== stand-in server load (200 sessions x 20 look-ups) next to the key agreement"
if [ -x "$build/bench/bench_session" ]; then
    "$build/bench/bench_session" --benchmark_out="$out/session.json" --benchmark_out_format=json \
        --benchmark_report_aggregates_only=true > "$out/session.txt" 2>&1 || cat "$out/session.txt"
    python3 - "$out/session.json" <<'PY'
import json, sys
unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}
runs = json.load(open(sys.argv[1]))["benchmarks"]
def pick(prefix, key):
    for b in runs:
        if b["run_name"].startswith(prefix) and b.get("aggregate_name", "mean") == "mean":
            return b[key] * unit[b["time_unit"]], b
    return None, None
load, lb = pick("BM_Load200x20", "real_time")
dh, _ = pick("BM_DiffieHellmanAlone", "cpu_time")
full, _ = pick("BM_FullSession", "real_time")
if load:
    print(f"load: {200 / load:.0f} sessions/s ({load / 200 * 1e3:.2f} ms per session of 20 look-ups, "
          f"failures {lb.get('failures', 0):.0f})")
if dh:
    print(f"two DH operations: {dh * 1e3:.2f} ms CPU; per-session time / DH time: {load / 200 / dh:.2f}x" if load else "")
if full:
    print(f"one full single-look-up session: {full * 1e3:.2f} ms wall ({full / dh:.2f}x the DH operations)" if dh else "")
PY
else
    echo "bench_session not built"
fi

echo "== whole process, web route (20 runs)"
"$root/bench/process.sh" "$build" 20 || echo "(process benchmark did not complete)"
