#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzz target for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
# Targets: fuzz_DataFile fuzz_Settings fuzz_ImportText fuzz_ICalendar fuzz_DavXml. Corpora grow in build/fuzz/corpus/;
# crashing inputs land in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then targets=(fuzz_DataFile fuzz_Settings fuzz_ImportText fuzz_ICalendar fuzz_DavXml); fi

cmake --preset fuzz
cmake --build --preset fuzz -j2
mkdir -p build/fuzz/artifacts
status=0
for t in "${targets[@]}"; do
  corpus="build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/$t"
  echo "== $t for ${seconds}s"
  if ! "build/fuzz/fuzz/$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
       -artifact_prefix="build/fuzz/artifacts/$t-" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ); then
    status=1
  fi
done
exit $status
