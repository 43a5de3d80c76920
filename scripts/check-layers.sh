#!/usr/bin/env bash
# Checks that every include from one folder of src/ to another runs downwards, as the layers in
# CMakeLists.txt declare them, and prints each one that does not. Given a build folder, it also
# plants includes that reach upwards or sideways into a layer's compile command and shows that
# the compiler refuses them (and accepts a downward one, so the refusal is the layers' doing).
#
#   scripts/check-layers.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A sees=()
layers=()
# "name dep dep ..." for every nordteller_layer( call, bottom first.
while read -r name deps; do
    layers+=("$name")
    seen="$name"
    for dep in $deps; do
        seen+=" ${sees[$dep]:?layer $name names $dep before it is declared}"
    done
    sees[$name]=$(tr ' ' '\n' <<<"$seen" | sed '/^$/d' | sort -u | paste -sd' ')
done < <(awk '
    /^ *nordteller_layer\(/ { if (name != "") print name, deps; sub(/.*nordteller_layer\(/, "");
                              name = $1; deps = ""; next }
    name != "" && /^ *DEPENDS / { sub(/^ *DEPENDS /, ""); deps = $0; next }
    END { if (name != "") print name, deps }' CMakeLists.txt)

is_layer() {
    [[ -n "${sees[$1]+x}" ]]
}

offences=0
for layer in "${layers[@]}"; do
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$rest")
        if is_layer "$target" && [[ " ${sees[$layer]} " != *" $target "* ]]; then
            header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$rest")
            echo "$file:$line: includes $header, but $layer/ sees only: ${sees[$layer]}"
            offences=$((offences + 1))
        fi
    done < <(grep -rnE '^#include "[a-z]+/' "src/$layer" --include='*.h' --include='*.cpp' || true)
done
if ((offences > 0)); then
    echo "check-layers: $offences include(s) reach a folder that is not below" >&2
    exit 1
fi
echo "check-layers: every include of ${#layers[@]} layers runs downwards"

build=${1:-}
[[ -n "$build" ]] || exit 0
commands="$build/compile_commands.json"
[[ -f "$commands" ]] || { echo "check-layers: no $commands" >&2; exit 1; }

# The compile command of one of the layer's own sources, made to compile `planted` instead.
planted_command() {
    local layer=$1 planted=$2 object=$3 command
    command=$(grep -B1 -E "\"file\": \"[^\"]*/src/$layer/[A-Za-z]+\.cpp\"" "$commands" |
              grep -m1 '"command"' | sed -E 's/^ *"command": "(.*)",$/\1/; s/\\"/"/g')
    [[ -n "$command" ]] || return 1
    sed -E "s# -o [^ ]+# -o $object#; s# -M[DT]( [^ -][^ ]*)?##g; s# -MF [^ ]+##;
            s# -c [^ ]+\$# -c $planted#" <<<"$command"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
# layer, a header it must see, a header it must not see
plant() {
    local layer=$1 allowed=$2 refused=$3 command
    mkdir -p "$scratch/$layer"
    printf '#include "%s"\n' "$allowed" >"$scratch/$layer/Allowed.cpp"
    printf '#include "%s"\n' "$refused" >"$scratch/$layer/Refused.cpp"
    command=$(planted_command "$layer" "$scratch/$layer/Allowed.cpp" "$scratch/a.o") || {
        echo "check-layers: no compile command for $layer/ in $commands" >&2
        failures=$((failures + 1))
        return
    }
    if ! (cd "$build" && eval "$command") >"$scratch/out" 2>&1; then
        echo "check-layers: $layer/ could not include $allowed, which is below it:" >&2
        head -5 "$scratch/out" >&2
        failures=$((failures + 1))
        return
    fi
    command=$(planted_command "$layer" "$scratch/$layer/Refused.cpp" "$scratch/r.o")
    if (cd "$build" && eval "$command") >"$scratch/out" 2>&1; then
        echo "check-layers: $layer/ compiled an include of $refused, which is not below it" >&2
        failures=$((failures + 1))
    else
        echo "check-layers: planted in $layer/: #include \"$refused\" -> $(grep -m1 -o 'fatal error: .*' "$scratch/out")"
    fi
}
plant platform platform/Clock.h app/TestPosDlg.h
plant serial request/ManualEntries.h response/ResponseProcessor.h
plant response pads/PadCatalog.h transaction/ClientGateway.h
plant headless front/ScenarioRecorder.h ui/MainWindow.h
if grep -q '"file": "[^"]*/src/ui/' "$commands"; then
    plant ui front/ScenarioRecorder.h headless/HeadlessRunner.h
fi
((failures == 0)) || exit 1
