#!/bin/sh
# Registers (or removes) the redirector as the desktop's handler of vlstudio:// links.
# Usage: register-scheme.sh register|unregister [DATADIR]
# DATADIR is the share folder that holds applications/vlurlredirector.desktop.
# Missing desktop tools are not an error: there is then nothing to register with.
set -u
action=${1:-register}
datadir=${2:-}
entry=vlurlredirector.desktop
scheme=x-scheme-handler/vlstudio

apps="$datadir/applications"
if [ -n "$datadir" ] && [ -d "$apps" ]; then
    if [ "$action" = unregister ] && ! ls "$apps"/*.desktop >/dev/null 2>&1; then
        # The cache only ever listed our entry: it goes with it.
        rm -f "$apps/mimeinfo.cache"
        rmdir "$apps" 2>/dev/null || true
    elif command -v update-desktop-database >/dev/null 2>&1; then
        update-desktop-database -q "$apps" 2>/dev/null || true
    fi
fi

# The installing user's explicit choice, on top of the desktop database's.
case "$action" in
register)
    if command -v xdg-mime >/dev/null 2>&1; then
        xdg-mime default "$entry" "$scheme" 2>/dev/null || true
    fi
    ;;
unregister)
    list="${XDG_CONFIG_HOME:-$HOME/.config}/mimeapps.list"
    if [ -f "$list" ]; then
        tmp="$list.vlurlredirector.$$"
        grep -v "^$scheme=$entry;*\$" "$list" >"$tmp" && mv "$tmp" "$list" || rm -f "$tmp"
    fi
    ;;
*)
    echo "usage: $0 register|unregister [DATADIR]" >&2
    exit 2
    ;;
esac
exit 0
