#!/usr/bin/env bash
# Builds the program and runs it: the window with the simulated payment client, or, where no
# display can be opened, the bundled example scenario headless. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
# The same build as scripts/test.sh's, so that the tests reuse what this builds.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORDTELLER_WERROR=ON >/dev/null
cmake --build build --target nordteller

if [[ $# -gt 0 ]]; then
    exec build/nordteller "$@"
fi
# The program itself finds out whether a display can be opened (DISPLAY may be set and still
# lead nowhere); it then says so on stderr and exits with status 2 before touching any file.
err=$(mktemp)
trap 'rm -f "$err"' EXIT
status=0
{ build/nordteller 2>&1 1>&3 3>&- | tee "$err" >&2 3>&-; } 3>&1 || status=$?
if [[ $status -eq 2 ]] && grep -q "no display could be opened" "$err"; then
    echo "Running the example scenario headless instead (examples/demo.scenario)." >&2
    exec build/nordteller --headless --scenario examples/demo.scenario
fi
exit "$status"
