#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the demo (build/demo, Release)
# and starts it from the folder that holds its data file, which it opens by
# its bare name. With a display the window opens there. Without one the demo
# runs on a virtual X display (Xvfb) for a few seconds; a screenshot of its
# window is saved next to the build and its path printed.
#   ./tools/run-demo.sh [seconds to play without a display, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

./tools/install-deps.sh

cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF
cmake --build build/demo --target SimpleWaterfallDemo
demo_dir=build/demo/app
shot="$PWD/build/demo/SimpleWaterfallDemo.png"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd "$demo_dir"
  exec ./SimpleWaterfallDemo
fi

# Xvfb picks a free display number and writes it to the descriptor we give.
work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  if [ -n "$demo_pid" ]; then kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

(cd "$demo_dir" && exec ./SimpleWaterfallDemo) &
demo_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Simple Waterfall Demo$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  if ! kill -0 "$demo_pid" 2>/dev/null; then
    echo "The demo ended before its window showed" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The demo's window did not show" >&2
  exit 1
fi
echo "The demo runs on $DISPLAY; letting it play for $seconds s"
sleep "$seconds"
import -window "$window" "$shot"
echo "Screenshot: $shot"
