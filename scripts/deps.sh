#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev
          qt6-l10n-tools qt6-translations-l10n libgl-dev
          libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev libspdlog-dev
          libasound2-dev nlohmann-json3-dev rapidjson-dev python3-jsonschema python3-yaml xvfb xauth)
if [[ "${1:-}" == "--sanitize" || "${1:-}" == "--tsan" ]]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
if [[ "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev file appstream lintian)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
