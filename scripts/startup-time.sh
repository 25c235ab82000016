#!/usr/bin/env bash
# Measures start-up under Wine: the time from starting lumetta.exe until its
# main window is shown, with no data file and with a data file of 100,000
# entries, in a throw-away prefix with the program installed on drive C.
#   scripts/startup-time.sh [runs] [entries]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target lumetta_startup_time
exec scripts/e2e-prefix.sh build/win64/tests/e2e/lumetta_startup_time.exe "${1:-7}" "${2:-100000}"
