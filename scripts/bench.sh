#!/usr/bin/env bash
# Builds the benchmark preset and runs the store benchmarks; results go to
# build/bench/store.json. Extra arguments go to the benchmark program
# (e.g. --benchmark_filter=BM_FindAt).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench
cmake --build --preset bench -j2
mkdir -p build/bench
build/bench-build/bench/store_bench \
  --benchmark_out=build/bench/store.json --benchmark_out_format=json "$@"
