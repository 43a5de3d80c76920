#!/usr/bin/env bash
# Builds the Debian package with cpack and checks it: lintian finds no error or warning; its
# contents, the dependencies read from the binaries, the AppStream metainfo; then the program
# unpacked into a temporary folder prints its version and runs the example scenario headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --package
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nordteller cardbridge_sim
rm -f build/nordteller_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/nordteller_*.deb)
fail() { echo "package-check: $*" >&2; exit 1; }

# Debian's own checks: an error or a warning fails (the package's overrides say why).
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings (above)"

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/nordteller ./usr/libexec/nordteller/nordteller-client-helper \
         ./usr/lib/nordteller/plugins/libcardbridge_sim.so \
         ./usr/include/nordteller/cardbridge.h ./usr/share/pkgconfig/nordteller-cardbridge.pc \
         ./usr/share/applications/nordteller.desktop \
         ./usr/share/metainfo/org.nordteller.Nordteller.metainfo.xml \
         ./usr/share/icons/hicolor/256x256/apps/nordteller.png \
         ./usr/share/icons/hicolor/16x16/apps/nordteller.png \
         ./usr/share/man/man1/nordteller.1.gz ./usr/share/doc/nordteller/copyright; do
    grep -q " $f\$" <<<"$contents" || fail "missing $f"
done
[[ "$(dpkg-deb -f "$deb" Package)" == "nordteller" ]] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libpugixml1v5 libc6 libstdc++6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dpkg-deb -x "$deb" "$stage/root"
appstreamcli validate --no-net "$stage/root/usr/share/metainfo/org.nordteller.Nordteller.metainfo.xml" \
    >/dev/null || fail "metainfo not valid"
grep -q "^prefix=/usr$" "$stage/root/usr/share/pkgconfig/nordteller-cardbridge.pc" ||
    fail "pkg-config file names another prefix"
version=$("$stage/root/usr/bin/nordteller" --version)
[[ "$version" == "nordteller $(sed -n 's/^project(nordteller VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ]] ||
    fail "unexpected version: $version"
mkdir "$stage/run"
demo="$PWD/examples/demo.scenario"
(cd "$stage/run" && "$stage/root/usr/bin/nordteller" --headless --scenario "$demo" >out.txt) ||
    fail "demo scenario failed"
grep -q "<CmdStatus>Approved</CmdStatus>" "$stage/run/out.txt" || fail "no approval in the demo"
[[ -f "$stage/run/testseqNo.dat" ]] || fail "no sequence file"
echo "package-check: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB), Depends: $depends"
