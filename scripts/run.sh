#!/usr/bin/env bash
# Builds the program and runs it: the window with the simulated payment client, or, where no
# display exists, the bundled example scenario headless. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nordteller

if [[ $# -gt 0 ]]; then
    exec build/nordteller "$@"
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: running the example scenario headless (examples/demo.scenario)." >&2
    exec build/nordteller --headless --scenario examples/demo.scenario
fi
exec build/nordteller
