#!/usr/bin/env bash
# Runs a Windows program under Wine and passes its exit code through.
# CMAKE_CROSSCOMPILING_EMULATOR of the Windows builds, so CTest runs the GUI
# tests with it.
#
# The prefix and display, first found first used:
#   - the WINEPREFIX (and DISPLAY) the caller set up;
#   - the shared session of this CTest run (LUMETTA_WINE_SESSION, started by
#     the wine_session_start fixture, scripts/wine-session.sh), unless
#     LUMETTA_DPI asks for a screen at another DPI;
#   - else (a test program run on its own) a throw-away session of its own: a
#     copy of the template prefix, Xvfb when there is no DISPLAY, a wineserver;
#     all removed again when the program has ended.
#
# When Wine cannot start the program (a DLL missing or failing to load) or the
# program ends abnormally, its loader prints nothing under WINEDEBUG=-all and
# the program may not have written a line: the loader's errors are let through
# and a non-zero exit status is reported with its meaning.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 program.exe [args...]" >&2; exit 2; }

. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ -z "${WINEPREFIX:-}" ]; then
  # A screen at another DPI (LUMETTA_DPI) needs a prefix of its own.
  if [ -z "${LUMETTA_DPI:-}" ] && lumetta_wine_shared_find; then
    export WINEPREFIX="$LUMETTA_SHARED_PREFIX" DISPLAY="$LUMETTA_SHARED_DISPLAY"
  else
    lumetta_wine_session || exit 1
  fi
fi

# The loader's errors (import_dll, LdrInitializeThunk) are on the channel
# "module"; unhandled exceptions are reported by Wine whatever WINEDEBUG says.
[ "$WINEDEBUG" = "-all" ] && export WINEDEBUG="-all,err+module"

"$LUMETTA_WINE" "$@"
status=$?
if [ "$status" -ne 0 ]; then
  # Wine passes the low byte of the Windows exit code on.
  case "$status" in
    3) meaning=": abort() or a breakpoint" ;;
    5) meaning=": Windows status 0xC0000005, access violation" ;;
    9) meaning=": Windows status 0xC0000409, fail-fast or stack buffer overrun" ;;
    53) meaning=": Windows status 0xC0000135, Wine did not find a DLL it needs" ;;
    66) meaning=": Windows status 0xC0000142, a DLL failed to initialise" ;;
    126 | 127) meaning=": Wine ($LUMETTA_WINE) could not be run" ;;
    253) meaning=": Windows status 0xC00000FD, stack overflow" ;;
    *) meaning="" ;;
  esac
  [ "$status" -gt 128 ] && [ "$status" -lt 160 ] && meaning=": Wine was killed by signal $((status - 128))"
  echo "[wine-exec] $(basename "$1") ended with exit status $status$meaning" >&2
fi
exit "$status"
