#!/usr/bin/env bash
# A soak run: random, seeded input to the real program (tests/soak).
#
#   scripts/soak.sh [MINUTES] [SEED] [lumetta_soak options...]
#       builds the win64 preset's lumetta_soak and runs it for MINUTES
#       (default 20) with SEED (default: from the clock), hang limit 2 s.
#   scripts/soak.sh --run lumetta_soak.exe MINUTES SEED [options...]
#       runs a built driver (the test command's short run uses this).
#
# Each run has a fresh prefix with lumetta.exe installed on drive C, a file
# printer, and Wine's heap checks on: freed blocks are filled and checked,
# block tails are checked, and heap errors fail the run, so a use after
# free shows as a crash or a heap error rather than passing by luck.
# Report and log in build/soak/ (seed-SEED.txt, seed-SEED.log, seed-SEED.wine.txt).
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"

if [ "${1:-}" != "--run" ]; then
  minutes="${1:-20}"; seed="${2:-$(date +%s)}"
  shift $(( $# >= 2 ? 2 : $# ))
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-ccache}"
  cd "$root"
  [ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null || exit 1
  cmake --build --preset win64 -j2 --target lumetta_soak >/dev/null || exit 1
  exec "$here/soak.sh" --run "$root/build/win64/tests/soak/lumetta_soak.exe" "$minutes" "$seed" \
    --hang-ms 2000 "$@"
fi

shift
exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; minutes="$2"; seed="$3"; shift 3
program="$(dirname "$exe")/../e2e/lumetta.exe"
[ -f "$program" ] || { echo "soak: $program not found (build target lumetta)" >&2; exit 2; }

. "$here/wine-env.sh"
out="${LUMETTA_SOAK_OUT:-$root/build/soak}"
mkdir -p "$out"
LUMETTA_SESSION_TMP=""
prefix="$(mktemp -d /tmp/lumetta-soak.XXXXXX)"
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
# Heap checks: tail check, free check, parameter check (FLG_HEAP_*).
"$LUMETTA_WINE" reg add 'HKLM\System\CurrentControlSet\Control\Session Manager' \
  /v GlobalFlag /t REG_DWORD /d 0x70 /f >/dev/null 2>&1

# +pid: the heap messages of the program are told from the driver's (Wine's
# printer set-up in the driver warns of a mismatching heap).
export WINEDEBUG="${LUMETTA_SOAK_WINEDEBUG:--all,err+module,err+heap,warn+heap,+pid}"
report="$out/seed-$seed.txt"
# Output a print job sends to the "FILE:" port lands in the prefix.
cd "$prefix" || exit 1
wine_log="$out/seed-$seed.wine.txt"
"$LUMETTA_WINE" "$exe" --minutes "$minutes" --seed "$seed" --print-port "$prefix/print.ps" \
  --log "Z:$out/seed-$seed.log" \
  "$@" >"$report" 2>"$wine_log"
status=$?
cat "$report"
driver_pid="$(sed -n 's/^soak: driver process \([0-9a-f]*\).*/\1/p' "$report")"
heap_errors="$(grep 'heap:' "$wine_log" | grep -v "^${driver_pid:-none}:" || true)"
if [ -n "$heap_errors" ]; then
  echo "soak: Wine's heap checks found errors (seed $seed):"
  sort <<<"$heap_errors" | uniq -c | head -20
  status=1
fi
if grep -qi 'unhandled exception\|page fault' "$wine_log"; then
  echo "soak: an exception was reported (seed $seed):"
  grep -i -A3 'unhandled exception\|page fault' "$wine_log" | head -20
  status=1
fi
[ "$status" -eq 0 ] || echo "soak: seed $seed FAILED (exit status $status); report $report, log $out/seed-$seed.log"
exit "$status"
