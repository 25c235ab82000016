#!/usr/bin/env bash
# The test command: installs what is missing, checks the formatting (.clang-format)
# and the folders' include rules (scripts/check-layers.py),
# builds everything with warnings as errors and runs every test suite:
#   native       store unit tests (host compiler)
#   native-asan  the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   win64        GUI tests and end-to-end tests under Wine (64-bit build: some
#                kernels, CI's among them, cannot run 32-bit code at all)
#   win          the shipped 32-bit program: built (warnings as errors), not run
#   bench, fuzz  the benchmarks and fuzz targets: built; each fuzz target reads its seeds once
#   package      scripts/package.sh builds the installers, the portable zip and
#                the help file; their tests read them back and run them under Wine
# Ends with the test runners' summaries and one line "N passed, N failed";
# exits non-zero when anything failed to build or any test failed.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
started=$(date +%s)

bash scripts/setup.sh || { echo "test: setup failed" >&2; exit 1; }

jobs=2
passed=0
failed=0
summaries=()
logdir="$root/build/test-logs"
mkdir -p "$logdir"

elapsed() { echo "$(( $(date +%s) - started ))s"; }

# build PRESET [TARGET...]: configure and build with warnings as errors; the
# full output goes to build/test-logs, the errors to the console.
build() {
  local preset="$1"; shift
  local targets=() cfg="$logdir/configure-$preset.log" out="$logdir/build-$preset.log"
  [ $# -gt 0 ] && targets=(--target "$@")
  echo "=== [$(elapsed)] build $preset ${*:-}"
  if ! cmake --preset "$preset" -DLUMETTA_WERROR=ON >"$cfg" 2>&1; then
    tail -n 40 "$cfg"
  elif ! cmake --build --preset "$preset" -j"$jobs" "${targets[@]}" >"$out" 2>&1; then
    grep -E -A8 'error|FAILED' "$out" | head -n 150
  else
    return 0
  fi
  echo "test: build of preset $preset FAILED (logs in $logdir)"
  summaries+=("$preset: build FAILED")
  failed=$((failed + 1))
  return 1
}

# run_ctest NAME BUILD_DIR [ctest args...]: runs one suite and counts its results.
run_ctest() {
  local name="$1" dir="$2"; shift 2
  local log="$logdir/ctest-$name.log" line p f total
  echo "=== [$(elapsed)] ctest $name"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error --timeout 300 "$@" </dev/null 2>&1 | tee "$log"
  line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
  if [ -z "$line" ]; then
    summaries+=("$name: no test summary (ctest did not finish)")
    failed=$((failed + 1))
    return
  fi
  f="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
  total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
  p=$((total - f))
  passed=$((passed + p))
  failed=$((failed + f))
  summaries+=("$name: $line")
}

echo "=== [$(elapsed)] format"
if bash scripts/format.sh --check >"$logdir/format.log" 2>&1; then
  tail -n 1 "$logdir/format.log"
else
  cat "$logdir/format.log"
  summaries+=("format: FAILED (fix with scripts/format.sh)")
  failed=$((failed + 1))
fi

echo "=== [$(elapsed)] folder rules"
if python3 scripts/check-layers.py >"$logdir/layers.log" 2>&1; then
  tail -n 1 "$logdir/layers.log"
else
  cat "$logdir/layers.log"
  summaries+=("folder rules: FAILED (see scripts/check-layers.py)")
  failed=$((failed + 1))
fi

build native && run_ctest native build/native -j"$jobs"
build native-asan && run_ctest native-asan build/native-asan -j"$jobs"
build win lumetta lumetta_remote

# The benchmarks and fuzz targets are run on demand (scripts/bench.sh,
# scripts/fuzz.sh); here they are built, so that one that no longer compiles
# fails the run, and each fuzz target reads its seed files once.
build bench
if build fuzz; then
  echo "=== [$(elapsed)] fuzz seeds"
  for seeds in fuzz/seeds/*/; do
    target="$(basename "$seeds")"
    if "build/fuzz/fuzz/$target" -runs=0 "$seeds" >"$logdir/fuzz-seeds-$target.log" 2>&1; then
      passed=$((passed + 1))
    else
      tail -n 20 "$logdir/fuzz-seeds-$target.log"
      summaries+=("fuzz seeds: $target FAILED")
      failed=$((failed + 1))
    fi
  done
fi

if build win64; then
  # The Wine tests share one session that CTest itself starts and ends (the
  # fixture wine_session_start/_end), as when ctest is run by hand; the
  # template prefix is made first so that no test waits for it.
  . scripts/wine-env.sh
  unset WINEPREFIX  # a fresh session, never a prefix of the caller's
  echo "=== [$(elapsed)] Wine template"
  if lumetta_wine_template; then
    # One desktop, one prefix: the GUI tests run one after another.
    run_ctest win64 build/win64 -LE package
    echo "=== [$(elapsed)] package"
    if LUMETTA_PACKAGE_SETUP=no bash scripts/package.sh >"$logdir/package.log" 2>&1; then
      run_ctest package build/win64 -L package
    else
      tail -n 20 "$logdir/package.log"
      summaries+=("package: scripts/package.sh FAILED (log in $logdir/package.log)")
      failed=$((failed + 1))
    fi
  else
    summaries+=("win64: could not make the Wine template prefix")
    failed=$((failed + 1))
  fi
fi

echo
echo "=== Summary ($(elapsed))"
for s in "${summaries[@]}"; do echo "$s"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
