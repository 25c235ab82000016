#!/usr/bin/env bash
# Runs a Windows program under Wine and passes its exit code through.
# CMAKE_CROSSCOMPILING_EMULATOR of the Windows builds, so CTest runs the GUI
# tests with it.
#
# Uses the WINEPREFIX and DISPLAY the caller set up (scripts/test.sh sets up one
# prefix, Xvfb and wineserver for the whole run). Without a WINEPREFIX (e.g.
# `ctest --test-dir build/win64` by hand) it makes its own throw-away session:
# a copy of the template prefix, Xvfb when there is no DISPLAY, a wineserver;
# all removed again when the program has ended.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 program.exe [args...]" >&2; exit 2; }

. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ -z "${WINEPREFIX:-}" ]; then
  lumetta_wine_session || exit 1
fi

"$LUMETTA_WINE" "$@"
