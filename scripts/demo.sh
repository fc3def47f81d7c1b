#!/usr/bin/env bash
# The demonstration: builds what is missing, then hands the redirector one link as a desktop
# would, against stand-ins for the suite's server and native client on this machine.
#   scripts/demo.sh [web|native] [LINK]
#   web     (default) the server is asked for the web client's address of the item, which
#           opens in the desktop's browser, or is printed here when there is no desktop
#   native  a running native client (the stand-in) takes the link through shared memory
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
route=${1:-web}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build >/dev/null
bin="$root/build"

work=$(mktemp -d /tmp/vlurlredirector-demo.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home"
mkdir -p "$HOME/.molvar" "$work/bin"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi

case "$route" in
web)
    "$bin/tools/vlserver-stub" --project "Demo Project=https://alm.example.com/vlweb,5" --max-seconds 60 >"$work/port" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
    port=$(awk '/^port /{print $2}' "$work/port")
    [ -n "$port" ] || { echo "the stand-in server did not start" >&2; exit 1; }
    link=${2:-"vlstudio://127.0.0.1:$port//Demo%20Project/dfct?recordID=12"}
    printf 'openpref:2\n' >"$HOME/.molvar/vlurlredirector.conf"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || ! command -v xdg-open >/dev/null 2>&1; then
        # No desktop to open a browser in: a stand-in opener shows what the browser would get.
        printf '#!/bin/sh\necho "Browser asked to open: $1"\n' >"$work/bin/xdg-open"
        chmod +x "$work/bin/xdg-open"
        export PATH="$work/bin:$PATH"
    fi
    echo "Stand-in server on 127.0.0.1:$port knows the project \"Demo Project\" (ID 5)."
    echo "Handing the redirector: $link"
    "$bin/app/vlurlredirector" "$link"
    ;;
native)
    link=${2:-"vlstudio://buildsrv:4900//Demo Project/dfct?recordID=12"}
    record="$work/client-record"
    export VLCLIENT_STUB_RECORD="$record"
    "$bin/tools/vlclient-stub" --max-seconds 60 >"$work/ready" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/ready" ] && break; sleep 0.05; done
    printf 'openpref:1\nclientloc:%s\ndefaultclienttimeout:1000\n' "$bin/tools/vlclient-stub" \
        >"$HOME/.molvar/vlurlredirector.conf"
    echo "A stand-in native client is running and polling the shared segment."
    echo "Handing the redirector: $link"
    "$bin/app/vlurlredirector" "$link"
    sleep 0.2
    echo "The native client received:"
    sed 's/^shm /  through shared memory: /; s/^arg /  on its command line: /' "$record"
    ;;
*)
    echo "usage: $0 [web|native] [LINK]" >&2
    exit 2
    ;;
esac
