#!/usr/bin/env bash
# Regenerates the documentation's pictures of the window and the receipt dialog, drawn on a
# virtual 1366x768 screen (the smallest the window is made for).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja >/dev/null
ninja -C build -j1 nordteller_ui_tests
mkdir -p docs/images
xvfb-run -a -s "-screen 0 1366x768x24" build/nordteller_ui_tests --screenshot docs/images
