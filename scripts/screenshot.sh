#!/usr/bin/env bash
# Regenerates the documentation's pictures of the window and its dialogs, drawn on a virtual
# 1366x768 screen (the smallest the window is made for) under a window manager, so windows get
# the sizes and places they get on a desktop. With --french: only the French main window
# (docs/images/main-window-fr.png).
set -euo pipefail
language=()
if [[ "${1:-}" == "--french" ]]; then
    language=(--language fr)
fi
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nordteller_ui_tests
mkdir -p docs/images
xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    build/nordteller_ui_tests --screenshot docs/images "$@"
    status=$?
    kill $wm
    exit $status' screenshot "${language[@]}"
[[ ${#language[@]} -eq 0 ]] || exit 0

# The HTML evidence report of the example script, as a browser draws it (Debian's chromium).
if command -v chromium >/dev/null; then
    run=$(mktemp -d)
    cp examples/Script.csv "$run/"
    (cd "$run" && "$OLDPWD/build/nordteller" --headless --run-script --report report.html \
        >/dev/null 2>&1 || true)
    chromium --headless --disable-gpu --no-sandbox --hide-scrollbars --window-size=1200,900 \
        --screenshot="$PWD/docs/images/evidence-report.png" "file://$run/report.html"
    rm -rf "$run"
else
    echo "chromium not found: docs/images/evidence-report.png not redrawn" >&2
fi
