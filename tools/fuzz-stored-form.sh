#!/usr/bin/env bash
# Builds the stored-form reader's fuzz target with clang's libFuzzer (in
# build/fuzz, address and undefined sanitizers on) and runs it for a bounded
# number of inputs, seeded with tests/platform/corpus. New inputs go to
# build/fuzz/work (emptied first), never into the source tree; a crashing
# input is left in build/fuzz/artifacts/: keep it in tests/platform/corpus/
# as a regression input (the platform tests read every file there).
#   tools/fuzz-stored-form.sh [runs]    default 20000
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20000}

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKV_SANITIZE=ON -DKV_FUZZ=ON -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target stored_form_fuzz
# A fresh work corpus each time keeps every run the same length.
rm -rf build/fuzz/work
mkdir -p build/fuzz/work build/fuzz/artifacts
QT_QPA_PLATFORM=offscreen \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1" \
  build/fuzz/tests/fuzz/stored_form_fuzz -runs="$runs" -max_len=4096 -timeout=20 -rss_limit_mb=4096 \
  -seed=1 -detect_leaks=0 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ build/fuzz/work tests/platform/corpus
