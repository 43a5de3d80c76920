#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang-14, address and undefined-behaviour
# sanitizers) and runs each for the given number of seconds (default 30), one after another,
# from its committed seed corpus. New inputs go to build-fuzz/corpus/<target>, findings to
# build-fuzz/findings/<target>; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

scripts/deps.sh --sanitize
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DNORDTELLER_SANITIZE=address,undefined -DNORDTELLER_FUZZ=ON \
    -DNORDTELLER_WITH_QT=OFF -DNORDTELLER_TESTS=OFF -DNORDTELLER_BENCH=OFF >/dev/null
cmake --build build-fuzz -- -j"${FUZZ_JOBS:-1}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for seeds in fuzz/corpus/*/; do
    target="$(basename "$seeds")"
    # Absolute paths: some targets work in a scratch directory of their own.
    seeds="$PWD/$seeds"
    work="$PWD/build-fuzz/corpus/$target"
    findings="$PWD/build-fuzz/findings/$target"
    mkdir -p "$work" "$findings"
    echo "== $target: ${seconds}s"
    if ! build-fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
            "$work" "$seeds" 2>"build-fuzz/$target.log"; then
        echo "!! $target found a fault; see build-fuzz/$target.log and $findings" >&2
        tail -40 "build-fuzz/$target.log" >&2
        status=1
    fi
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "build-fuzz/$target.log" || true
done
exit $status
