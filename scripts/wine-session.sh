#!/usr/bin/env bash
# Starts or ends the one Wine session a whole CTest run shares:
#   wine-session.sh start DIR   a fresh prefix DIR/prefix (copy of the template),
#                               Xvfb when there is no DISPLAY, a wineserver;
#                               left running, described in DIR/session
#   wine-session.sh end DIR     stops them and removes DIR
# The CTest fixture of the Windows builds runs these before the first and after
# the last Wine test (tests/CMakeLists.txt); the tests find the session through
# LUMETTA_WINE_SESSION=DIR (lumetta_wine_shared_find in wine-env.sh).
set -uo pipefail
[ $# -eq 2 ] && { [ "$1" = start ] || [ "$1" = end ]; } ||
  { echo "usage: $0 start|end DIR" >&2; exit 2; }
action="$1"
dir="$2"
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# Ends the session recorded in DIR (also one left by an interrupted run).
end_session() {
  local display="" xvfb="" i
  if [ -f "$dir/session" ]; then
    { read -r display; read -r xvfb; } <"$dir/session"
    rm -f "$dir/session"
  fi
  if [ -f "$dir/prefix/system.reg" ]; then
    WINEPREFIX="$dir/prefix" "$LUMETTA_WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; then
    # Not our child: wait until it is gone so its display number is free again.
    for i in $(seq 50); do kill -0 "$xvfb" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$dir"
}

end_session
[ "$action" = end ] && { echo "Wine session ended"; exit 0; }

if [ -n "${WINEPREFIX:-}" ]; then
  # The caller set up a session of its own; the tests use that one.
  echo "using the caller's Wine prefix $WINEPREFIX"
  exit 0
fi
mkdir -p "$dir"
lumetta_wine_new_prefix "$dir/prefix" || exit 1
export WINEPREFIX="$dir/prefix"
unset LUMETTA_WINE_SESSION  # the display is started here, not looked up
lumetta_wine_start_display || exit 1
lumetta_wine_start_server
printf '%s\n%s\n' "$DISPLAY" "$LUMETTA_XVFB_PID" >"$dir/session.tmp"
mv "$dir/session.tmp" "$dir/session"
echo "Wine session: prefix $WINEPREFIX, display $DISPLAY"
