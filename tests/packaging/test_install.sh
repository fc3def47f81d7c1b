#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop needs to reach the
# redirector: the files, a valid desktop entry, the scheme registration, the installed program
# answering a link, and an uninstall that leaves nothing behind.
# Usage: test_install.sh <build-dir>
set -eu
build=$1
work=$(mktemp -d /tmp/vlinstall.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_DATA_DIRS="$prefix/share:/usr/share"
mkdir -p "$HOME"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "install"; }
for f in bin/vlurlredirector share/applications/vlurlredirector.desktop \
         share/icons/hicolor/16x16/apps/vlurlredirector.png share/icons/hicolor/48x48/apps/vlurlredirector.png \
         share/man/man1/vlurlredirector.1; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/vlurlredirector" ] || fail "program not executable"
grep -qx 'Exec=vlurlredirector %u' "$prefix/share/applications/vlurlredirector.desktop" || fail "Exec line"
grep -qx 'MimeType=x-scheme-handler/vlstudio;' "$prefix/share/applications/vlurlredirector.desktop" || fail "MimeType line"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/share/applications/vlurlredirector.desktop" || fail "desktop-file-validate"
fi
if command -v xdg-mime >/dev/null 2>&1; then
    handler=$(xdg-mime query default x-scheme-handler/vlstudio)
    [ "$handler" = vlurlredirector.desktop ] || fail "xdg-mime names '$handler'"
fi
if command -v man >/dev/null 2>&1; then
    MANWIDTH=80 man -l "$prefix/share/man/man1/vlurlredirector.1" >/dev/null 2>&1 || fail "man page does not format"
fi

# The version box waits for a person; its text is on standard error at once.
export QT_QPA_PLATFORM=offscreen
out=$(timeout 3 "$prefix/bin/vlurlredirector" vlstudio://print_version 2>&1 || true)
echo "$out" | grep -q '2026.2.0 Build 05' || fail "version text not shown: $out"

# Through the desktop's opener, as a browser hands a link on.
if command -v xdg-open >/dev/null 2>&1; then
    out=$(PATH="$prefix/bin:$PATH" DISPLAY=${DISPLAY:-:0} timeout 3 xdg-open 'vlstudio://print_version' 2>&1 || true)
    echo "$out" | grep -q '2026.2.0 Build 05' || fail "xdg-open did not reach the redirector: $out"
fi

cmake --build "$build" --target uninstall >"$work/uninstall.log" 2>&1 || { cat "$work/uninstall.log"; fail "uninstall"; }
left=$(find "$prefix" -type f | head -5)
[ -z "$left" ] || fail "left after uninstall: $left"
if [ -f "$XDG_CONFIG_HOME/mimeapps.list" ] && grep -q 'vlstudio=vlurlredirector' "$XDG_CONFIG_HOME/mimeapps.list"; then
    fail "scheme still registered after uninstall"
fi
echo "install test passed"
