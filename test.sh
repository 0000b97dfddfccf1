#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test, checks the installed
# package from outside the tree; then builds with
# ThreadSanitizer and runs the tests of threaded code again.
#   ./test.sh            both runs
#   ./test.sh --no-tsan  the address/undefined run only
set -euo pipefail
cd "$(dirname "$0")"

run_tsan=1
for arg in "$@"; do
  case "$arg" in
    --no-tsan) run_tsan=0 ;;
    *) echo "usage: $0 [--no-tsan]" >&2; exit 2 ;;
  esac
done

./tools/install-deps.sh

# Every tracked C++ file as .clang-format writes it.
./tools/check-format.sh

jobs=$(nproc)

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_WARNINGS_AS_ERRORS=ON
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs" --no-tests=error
# The installed package, used from outside the tree as a user's program would.
./tools/check-install.sh build/asan
# The stored-form reader's fuzz target (clang, libFuzzer): a bounded run.
./tools/fuzz-stored-form.sh 20000

if [ "$run_tsan" = 1 ]; then
  cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_TSAN=ON -DKV_BUILD_BENCH=OFF
  cmake --build build/tsan -j "$jobs"
  # Only executables marked THREADED; none marked yet is not a failure.
  ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threaded --no-tests=ignore
fi
