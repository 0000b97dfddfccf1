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
  locales                          # a decimal-comma locale for the message formatting test
  xvfb xauth xdotool imagemagick   # the demo without a display: virtual X, input, screenshots
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# German numbers use a decimal comma: the formatting tests switch to it
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
