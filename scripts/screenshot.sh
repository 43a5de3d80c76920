#!/usr/bin/env bash
# Regenerates the documentation's pictures of the window and its dialogs, drawn on a virtual
# 1366x768 screen (the smallest the window is made for) under a window manager, so windows get
# the sizes and places they get on a desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nordteller_ui_tests
mkdir -p docs/images
xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    build/nordteller_ui_tests --screenshot docs/images
    status=$?
    kill $wm
    exit $status'
