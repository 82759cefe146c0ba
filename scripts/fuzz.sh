#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for SECONDS (default 10) from its
# seed corpus. A finding stops the run with the crashing input saved in the
# build folder. Longer runs: bash scripts/fuzz.sh 600
set -euo pipefail
TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SECONDS_EACH=${1:-10}
BUILD=${TAVRIN_FUZZ_BUILD_DIR:-$TOP/build-fuzz}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; skipped"
  exit 0
fi
CXX=clang++ CC=clang cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIN_FUZZ=ON \
  -DTAVRIN_BUILD_TESTS=OFF -DTAVRIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target fuzz_targets
for target in fuzz_draw_line fuzz_plan_file fuzz_cipher_hex fuzz_history_pages fuzz_mode_files; do
  # The corpus grows in a scratch copy; the repository keeps its small seeds.
  work="$BUILD/corpus/$target"
  mkdir -p "$work"
  cp -n "$TOP/fuzz/corpus/$target/"* "$work/" 2>/dev/null || true
  echo "fuzz: $target for ${SECONDS_EACH}s"
  log="$BUILD/$target.log"
  if ! (cd "$BUILD" && "$BUILD/fuzz/$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -timeout=10 \
        -rss_limit_mb=2048 "$work" >"$log" 2>&1); then
    tail -n 40 "$log"
    echo "fuzz: $target found a fault (input saved in $BUILD)"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/  /" || true
done
