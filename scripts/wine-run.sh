#!/usr/bin/env bash
# Runs a program of the Windows cross build under Wine: headless, quiet, in a throw-away prefix
# (KW_WINEPREFIX, else wineprefix/ beside the program). The first call sets the prefix up.
set -euo pipefail
program=$1
shift
export WINEPREFIX=${KW_WINEPREFIX:-$(cd "$(dirname "$program")" && pwd)/wineprefix}
export WINEDEBUG=-all
# No Mono and no Gecko: console programs need neither, and their set-up would ask for a download.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
exec /usr/lib/wine/wine64 "$program" "$@"
