#!/usr/bin/env bash
# Measures under Wine one paint of the week view at four weeks, the year
# view and the to-do window, with a data file of 100,000 entries, in a
# throw-away prefix with the program installed on drive C. Results also go
# to build/bench/view-paint.txt.
#   scripts/view-paint-time.sh [paints] [entries]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target lumetta_view_paint_time
mkdir -p build/bench
scripts/e2e-prefix.sh build/win64/tests/e2e/lumetta_view_paint_time.exe "${1:-30}" "${2:-100000}" |
  tee build/bench/view-paint.txt
