#!/usr/bin/env bash
# Installs into a temporary folder with DESTDIR, then checks what a plugin author has there:
# the example plugin builds against the installed header with pkg-config alone, and the
# installed program loads it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nordteller cardbridge_sim
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage/root" cmake --install build --prefix /usr/local >/dev/null

prefix="$stage/root/usr/local"
for f in bin/nordteller lib/nordteller/plugins/libcardbridge_sim.so \
         include/nordteller/cardbridge.h share/pkgconfig/nordteller-cardbridge.pc \
         share/applications/nordteller.desktop share/icons/hicolor/256x256/apps/nordteller.png \
         share/man/man1/nordteller.1.gz share/doc/nordteller/changelog.gz; do
    [[ -f "$prefix/$f" ]] || { echo "install-check: missing $f" >&2; exit 1; }
done
gzip -t "$prefix/share/man/man1/nordteller.1.gz"

export PKG_CONFIG_SYSROOT_DIR="$stage/root"
export PKG_CONFIG_PATH="$prefix/share/pkgconfig"
cc -Wall -Wextra -Werror -shared -fPIC $(pkg-config --cflags nordteller-cardbridge) \
    examples/plugin/echo_plugin.c -o "$stage/libecho_plugin.so"

# The plugin's helper is the small one installed for it, not the program started again.
test -x "$prefix/libexec/nordteller/nordteller-client-helper"
mkdir "$stage/run"
cd "$stage/run"
printf 'click 1004\n' | "$prefix/bin/nordteller" --control "$stage/libecho_plugin.so" \
    --headless --scenario - >transcript.txt
grep -q "<TextResponse>ECHO</TextResponse>" transcript.txt
[[ "$(cat testseqNo.dat)" == "0010010020" ]]
printf 'click 1004\n' | "$prefix/bin/nordteller" \
    --control "$prefix/lib/nordteller/plugins/libcardbridge_sim.so" --headless --scenario - >sim.txt
grep -q "<CmdStatus>Approved</CmdStatus>" sim.txt
echo "install-check: 1 passed, 0 failed"
