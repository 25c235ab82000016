#!/usr/bin/env bash
# Builds the program and runs it under Wine from its own Wine prefix in your
# home folder (~/.local/share/lumetta/wineprefix): the program is installed as
# "C:\Program Files\Lumetta Calendar\lumetta.exe" there and keeps your diary in
# that prefix's AppData folder, never in the build folder.
#
# With a display (DISPLAY set) the program simply runs until you end it.
# Without one it starts on a virtual screen, saves a screenshot of the Wine
# desktop to build/screenshot.png, ends the program with File > Exit and checks
# that it ended cleanly.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh

. scripts/wine-env.sh

# The shipped program is 32-bit; where the kernel cannot run 32-bit code (as on
# some virtual machines) the 64-bit build of the same sources runs instead.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  preset=win
  wine_for_program=/usr/lib/wine/wine
else
  preset=win64
  wine_for_program="$LUMETTA_WINE"
fi
echo "run: building preset $preset"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target lumetta lumetta_remote
program="build/$preset/src/shell/lumetta.exe"
remote="build/$preset/tests/e2e/lumetta_remote.exe"

prefix="${LUMETTA_PREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/lumetta/wineprefix}"
if [ ! -f "$prefix/system.reg" ]; then
  echo "run: making the Wine prefix $prefix"
  lumetta_wine_template
  mkdir -p "$(dirname "$prefix")"
  cp -a "$LUMETTA_WINE_TEMPLATE" "$prefix.tmp"
  rm -f "$prefix.tmp/.lumetta-ready"
  mv "$prefix.tmp" "$prefix"
fi
install_dir="$prefix/drive_c/Program Files/Lumetta Calendar"
mkdir -p "$install_dir"
cp "$program" "$install_dir/lumetta.exe"
export WINEPREFIX="$prefix"
installed='C:\Program Files\Lumetta Calendar\lumetta.exe'

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting $installed in $prefix"
  exec "$wine_for_program" "$installed"
fi

# No display: a virtual screen, a screenshot, a clean exit.
trap 'lumetta_wine_stop' EXIT
lumetta_wine_start_display
lumetta_wine_start_server
"$wine_for_program" "$installed" </dev/null &
program_pid=$!
"$wine_for_program" "$remote" wait 30000
sleep 2   # let the windows paint
desktop="$(xdotool search --name 'Wine desktop' | head -n 1)"
if [ -z "$desktop" ]; then echo "run: no Wine desktop window found" >&2; exit 1; fi
mkdir -p build
import -window "$desktop" build/screenshot.png
echo "run: screenshot saved to build/screenshot.png"
"$wine_for_program" "$remote" exit 20000
wait "$program_pid"
echo "run: the program ended cleanly"
