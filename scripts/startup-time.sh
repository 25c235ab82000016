#!/usr/bin/env bash
# Measures start-up under Wine: the time from starting lumetta.exe until its
# main window is shown, with no data file and with a data file of 100,000
# entries (5 % with reminders, in the coming years), in a throw-away prefix
# with the program installed on drive C: every pair of starts, the medians and
# their spread. Results also go to build/bench/startup.txt, with the system's
# load before and after (other work on the machine lengthens every start).
#   scripts/startup-time.sh [runs] [entries]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target lumetta_startup_time
mkdir -p build/bench
{
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  scripts/e2e-prefix.sh build/win64/tests/e2e/lumetta_startup_time.exe "${1:-9}" "${2:-100000}"
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee build/bench/startup.txt
