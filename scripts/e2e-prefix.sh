#!/usr/bin/env bash
# Runs one end-to-end scenario: e2e-prefix.sh e2e_tests.exe [gtest args...]
#
# Each run gets a fresh Wine prefix copied from the template, with lumetta.exe
# (found beside e2e_tests.exe) installed as
#   C:\Program Files\Lumetta Calendar\lumetta.exe
# so the program keeps its files in that prefix's AppData folder; the prefix
# gets its own wineserver, and both are removed afterwards. Listing the tests
# (--gtest_list_tests, CTest's discovery) needs no prefix of its own.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 e2e_tests.exe [args...]" >&2; exit 2; }
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

for arg in "$@"; do
  [ "$arg" = "--gtest_list_tests" ] && exec "$here/wine-exec.sh" "$@"
done

. "$here/wine-env.sh"

exe="$1"; shift
program="$(dirname "$exe")/lumetta.exe"
[ -f "$program" ] || { echo "e2e-prefix: $program not found (build target lumetta)" >&2; exit 2; }

# The scenario's own prefix and server; the display is the caller's (Xvfb of
# scripts/test.sh) or one of our own.
LUMETTA_SESSION_TMP=""
prefix="$(mktemp -d /tmp/lumetta-e2e.XXXXXX)"
cleanup() {
  lumetta_wine_stop
  rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

lumetta_wine_new_prefix "$prefix" || exit 1
install_dir="$prefix/drive_c/Program Files/Lumetta Calendar"
mkdir -p "$install_dir"
cp "$program" "$install_dir/lumetta.exe"

export WINEPREFIX="$prefix"
lumetta_wine_start_display || exit 1
lumetta_wine_start_server

"$here/wine-exec.sh" "$exe" "$@"
