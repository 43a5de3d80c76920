#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitize: a clang build with address and
# undefined-behaviour sanitizers in build-asan, where any report fails the run. With --tsan: a
# clang build with the thread sanitizer in build-tsan (no Qt), running the tests that touch the
# log writer thread or the payment client's control thread.
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-}"
# Suites that run the log writer thread, the control thread (the payment client's own) or the
# writer of the run's JSON record.
TSAN_TESTS="LogWriter|DailyLogFault|ReceiptFileFault|LogDirectoryRemoved|SequenceFileFault|\
PadSelectionFault|SlowClient|MisbehavingClient|PluginClient|ClientFactory|CommandFlow|\
FlowHarness|HeadlessRunner|PadCatalog|ResponseHandling|BatchClose|SerialExchange|WaitReply|\
WaitTiming|SimTerminal|Pty|SequenceSaveBehind|RunScript|ResultsReport|ResultsRecord|MergeRecords"
scripts/deps.sh "$mode"

if [[ "$mode" == "--sanitize" ]]; then
    build=build-asan
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORDTELLER_WERROR=ON \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DNORDTELLER_SANITIZE=address,undefined -DNORDTELLER_BENCH=OFF
    # A payment client plugin that crashes must end its helper process by the signal, as it does
    # without the sanitizer: the helper's crash tests read how it ended.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:\
handle_segv=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
elif [[ "$mode" == "--tsan" ]]; then
    build=build-tsan
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORDTELLER_WERROR=ON \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DNORDTELLER_SANITIZE=thread -DNORDTELLER_WITH_QT=OFF -DNORDTELLER_BENCH=OFF
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
    cmake --build "$build"
    cd "$build"
    # The 100 MB answer only repeats the others' threading at a hundred times the cost.
    ctest --output-on-failure -j2 --timeout 600 -R "$TSAN_TESTS" -E HundredMegabyte
    exit 0
else
    # CI's one Release build; the others are Debug.
    build=build
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORDTELLER_WERROR=ON
fi
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 --timeout 600
