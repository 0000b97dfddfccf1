#!/usr/bin/env bash
# Installs the library from a build directory into a fresh prefix and uses it
# the way a user's program does, with no path into the source tree:
#   - every installed header compiles when it is the first thing included;
#   - no installed header reaches into Qt's private headers;
#   - examples/embed configures and builds against the prefix with
#     find_package(KvWaterfall), and runs on the offscreen platform.
#   tools/check-install.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD_DIR}
work="$build/install-check"
prefix="$work/prefix"
rm -rf "$work"
mkdir -p "$work"

cmake --install "$build" --prefix "$prefix" >/dev/null
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

headers=$(cd "$prefix/include/kvwaterfall" && find . -name '*.h' | sed 's|^\./||' | sort)
if [ -z "$headers" ]; then
  echo "check-install: no headers installed" >&2
  exit 1
fi
if grep -rlE '#\s*include\s*[<"][^>"]*(/private/|_p\.h)' "$prefix/include/kvwaterfall"; then
  echo "check-install: the headers above include private Qt headers" >&2
  exit 1
fi

# one translation unit per header
mkdir -p "$work/headers/units"
cp tests/install/CMakeLists.txt.in "$work/headers/CMakeLists.txt"
for h in $headers; do
  printf '#include "%s"\n' "$h" > "$work/headers/units/$(echo "$h" | tr '/.' '__').cpp"
done
cmake -S "$work/headers" -B "$work/headers/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_PREFIX_PATH="$(realpath "$prefix")" "${launcher[@]}" >/dev/null
cmake --build "$work/headers/build" -j "$(nproc)" >/dev/null
echo "check-install: $(echo "$headers" | wc -l) headers compile on their own"

if [ -d examples/embed ]; then
  cmake -S examples/embed -B "$work/embed" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_PREFIX_PATH="$(realpath "$prefix")" "${launcher[@]}" >/dev/null
  cmake --build "$work/embed" -j "$(nproc)" >/dev/null
  QT_QPA_PLATFORM=offscreen "$work/embed/embed" --check
  echo "check-install: examples/embed built against the installed package and ran"
fi
