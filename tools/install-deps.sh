#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need,
# only those that are missing (through sudo when not root).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev libgl-dev           # Qt 6 Core, Gui, Widgets, PrintSupport, Test
  libjpeg-dev                      # JPEG export
  fonts-liberation                 # stands in for "Arial"
  libgtest-dev libgmock-dev        # unit tests
  libbenchmark-dev                 # benchmarks
  libfftw3-dev                     # test oracle for the Fourier kernels
  poppler-utils                    # rasterises printed PDF pages in the display tests
  clang libclang-rt-14-dev         # libFuzzer for the stored-form fuzz target
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
