#!/usr/bin/env bash
# Remakes examples/ci/baseline.jsonl as the CI examples make their record: examples/Script.csv
# run in four shards, each in a fresh folder of its own against the built-in simulated payment
# client, and merged. Run it when the script or what the simulator answers changes on purpose,
# and commit the new baseline with that change.
#
#   examples/ci/make-baseline.sh [PATH-TO-NORDTELLER]   (default: build/nordteller)
set -euo pipefail
cd "$(dirname "$0")/../.."
nordteller=$(realpath "${1:-build/nordteller}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for k in 1 2 3 4; do
    mkdir "$work/shard-$k"
    cp examples/Script.csv "$work/shard-$k/"
    status=0
    (cd "$work/shard-$k" &&
        "$nordteller" --headless --run-script --shard "$k/4" --results "../shard-$k.jsonl" \
            >/dev/null 2>"../shard-$k.err") || status=$?
    if ((status > 1)); then
        echo "make-baseline: shard $k/4 ended with status $status:" >&2
        cat "$work/shard-$k.err" >&2
        exit 1
    fi
done
(cd "$work" && "$nordteller" --merge shard-1.jsonl shard-2.jsonl shard-3.jsonl shard-4.jsonl \
    --results baseline.jsonl)
cp "$work/baseline.jsonl" examples/ci/baseline.jsonl
echo "make-baseline: examples/ci/baseline.jsonl written"
