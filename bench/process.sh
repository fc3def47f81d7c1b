#!/bin/bash
# Whole process, web route: from process start until the browser launcher is called, against
# a bare Qt Widgets program that starts and quits and against curl -k to openssl s_server on
# loopback. Also peak memory (/usr/bin/time -v) and callgrind instruction counts of the
# redirector against the bare Qt program.
#   bench/process.sh <build dir> [runs]
set -u
BUILD=${1:?usage: bench/process.sh <build dir> [runs]}
RUNS=${2:-20}
APP=$BUILD/app/vlurlredirector
STUB=$BUILD/tools/vlserver-stub
BARE=$BUILD/bench/micro/bare_qt
for f in "$APP" "$STUB" "$BARE"; do
    [ -x "$f" ] || { echo "process.sh: missing $f (build with -DVL_BUILD_BENCH=ON)"; exit 1; }
done

WORK=$(mktemp -d /tmp/vlbench-process.XXXXXX)
STUB_PID=
SSL_PID=
cleanup() {
    [ -n "$STUB_PID" ] && kill "$STUB_PID" 2>/dev/null
    [ -n "$SSL_PID" ] && kill "$SSL_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
export HOME=$WORK/home
mkdir -p "$HOME/.molvar" "$WORK/bin"
printf 'openpref:2\n' > "$HOME/.molvar/vlurlredirector.conf"

# The stand-in browser launcher, first on PATH: records when it was called.
cat > "$WORK/bin/xdg-open" <<EOS
#!/bin/sh
date +%s%N > "$WORK/opened"
echo "\$1" > "$WORK/opened-url"
EOS
chmod +x "$WORK/bin/xdg-open"
export PATH=$WORK/bin:$PATH

"$STUB" --bind 127.0.0.1 --port 0 --project abc=https://alm.example.com/cgi,42 > "$WORK/stub.out" 2>&1 &
STUB_PID=$!
for _ in $(seq 50); do grep -q '^port ' "$WORK/stub.out" && break; sleep 0.1; done
PORT=$(awk '/^port /{print $2}' "$WORK/stub.out")
[ -n "$PORT" ] || { echo "process.sh: stand-in server did not start"; exit 1; }
LINK="vlstudio://127.0.0.1:$PORT//abc/dfct?recordID=12"

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# Redirector: start until the launcher is called (the program is stopped then; it would wait).
: > "$WORK/app.ms"
for _ in $(seq "$RUNS"); do
    rm -f "$WORK/opened"
    start=$(now)
    "$APP" "$LINK" > /dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1000); do [ -s "$WORK/opened" ] && break; sleep 0.005; done
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    if [ -s "$WORK/opened" ]; then
        echo $((($(cat "$WORK/opened") - start) / 1000)) >> "$WORK/app.ms"
    fi
done
APP_OK=$(wc -l < "$WORK/app.ms")

: > "$WORK/bare.ms"
for _ in $(seq "$RUNS"); do
    start=$(now); "$BARE" > /dev/null 2>&1; echo $((($(now) - start) / 1000)) >> "$WORK/bare.ms"
done

# TLS round trip for comparison.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -days 1 -subj /CN=localhost > /dev/null 2>&1
SSL_PORT=$((20000 + RANDOM % 20000))
openssl s_server -quiet -www -accept "127.0.0.1:$SSL_PORT" -key "$WORK/key.pem" -cert "$WORK/cert.pem" > /dev/null 2>&1 &
SSL_PID=$!
sleep 0.5
: > "$WORK/curl.ms"
for _ in $(seq "$RUNS"); do
    start=$(now); curl -sk -o /dev/null "https://127.0.0.1:$SSL_PORT/"; echo $((($(now) - start) / 1000)) >> "$WORK/curl.ms"
done

A=$(median < "$WORK/app.ms"); B=$(median < "$WORK/bare.ms"); C=$(median < "$WORK/curl.ms")
echo "runs: $RUNS (redirector reached the launcher in $APP_OK); medians in microseconds"
echo "redirector start -> xdg-open: ${A:-n/a}"
echo "bare Qt start -> exit:        $B"
echo "curl -k https loopback:       $C"
[ -n "$A" ] && awk -v a="$A" -v b="$B" -v c="$C" 'BEGIN {printf "ratio redirector/bare Qt: %.2f   redirector/curl: %.2f\n", a/b, a/c}'
[ -s "$WORK/opened-url" ] && echo "launcher got: $(cat "$WORK/opened-url")"

# Peak memory.
rm -f "$WORK/opened"
/usr/bin/time -v "$APP" "$LINK" > /dev/null 2> "$WORK/app.time" &
tpid=$!
for _ in $(seq 1000); do [ -s "$WORK/opened" ] && break; sleep 0.005; done
pkill -P "$tpid" 2>/dev/null; wait "$tpid" 2>/dev/null
/usr/bin/time -v "$BARE" > /dev/null 2> "$WORK/bare.time"
AM=$(awk -F: '/Maximum resident/{print $2+0}' "$WORK/app.time"); BM=$(awk -F: '/Maximum resident/{print $2+0}' "$WORK/bare.time")
echo "peak RSS KB: redirector ${AM:-n/a}  bare Qt $BM"
[ -n "$AM" ] && awk -v a="$AM" -v b="$BM" 'BEGIN {printf "ratio peak RSS redirector/bare Qt: %.2f\n", a/b}'

# Instruction counts (the redirector is stopped once the launcher ran).
if command -v valgrind > /dev/null; then
    rm -f "$WORK/opened"
    valgrind --tool=callgrind --callgrind-out-file="$WORK/cg.app" "$APP" "$LINK" > /dev/null 2> "$WORK/cg.app.log" &
    vpid=$!
    for _ in $(seq 6000); do [ -s "$WORK/opened" ] && break; sleep 0.01; done
    kill -INT "$vpid" 2>/dev/null; wait "$vpid" 2>/dev/null
    valgrind --tool=callgrind --callgrind-out-file="$WORK/cg.bare" "$BARE" > /dev/null 2> "$WORK/cg.bare.log"
    AI=$(awk '/Collected/{print $NF}' "$WORK/cg.app.log"); BI=$(awk '/Collected/{print $NF}' "$WORK/cg.bare.log")
    echo "instructions: redirector ${AI:-n/a}  bare Qt $BI"
    [ -n "$AI" ] && awk -v a="$AI" -v b="$BI" 'BEGIN {printf "ratio instructions redirector/bare Qt: %.2f\n", a/b}'
fi
