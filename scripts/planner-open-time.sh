#!/usr/bin/env bash
# Measures under Wine the time from the Today command until today's day
# planner has painted, with a data file of 100,000 entries, in a throw-away
# prefix with the program installed on drive C. Results also go to
# build/bench/planner-open.txt.
#   scripts/planner-open-time.sh [runs] [entries]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset win64 >/dev/null
# At another DPI (LUMETTA_DPI) the screen is as large in 96-DPI units as
# the usual 1024x768 one, as a real display of that scale is: on 768 pixels
# at 192 DPI the planner does not fit and asks for a smaller font instead.
if [ -n "${LUMETTA_DPI:-}" ] && [ -z "${LUMETTA_DESKTOP:-}" ]; then
  export LUMETTA_DESKTOP="$((1024 * LUMETTA_DPI / 96))x$((768 * LUMETTA_DPI / 96))"
  export LUMETTA_XVFB_SCREEN="${LUMETTA_XVFB_SCREEN:-${LUMETTA_DESKTOP}x24}"
fi
cmake --build --preset win64 -j2 --target lumetta_planner_open_time
mkdir -p build/bench
scripts/e2e-prefix.sh build/win64/tests/e2e/lumetta_planner_open_time.exe "${1:-15}" "${2:-100000}" |
  tee build/bench/planner-open.txt
