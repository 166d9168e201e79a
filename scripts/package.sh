#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Builds the Debian package as a packager would (Debian's compiler flags from
# dpkg-buildflags, no tests), checks it with lintian, appstreamcli and
# desktop-file-validate, and unpacks it into a scratch root to check that the
# installed editor starts offscreen and finds its manual, and that camtool works.
#   scripts/package.sh [build folder]     (default: build-deb; the .deb lands there)
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-deb}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The hardening and fortify flags of a Debian package build; CMake reads no CPPFLAGS.
# Immediate binding (-z now) lets the whole relocation table be made read-only.
export DEB_BUILD_MAINT_OPTIONS="hardening=+bindnow"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=None -DVX_WERROR=ON -DBUILD_TESTING=OFF \
    -DVX_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
rm -f "$dir"/vistolarex_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb="$(ls "$dir"/vistolarex_*.deb)"
echo "== $deb"
dpkg-deb -f "$deb"

echo "== lintian (errors and warnings fail; its info notes are explained in the README)"
lintian --fail-on error,warning "$deb"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root"

echo "== metadata of the installed copy"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root/usr/share/applications/vistolarex.desktop"
for page in vistolarex camtool; do
    [ -f "$root/usr/share/man/man1/$page.1.gz" ] || fail "no manual page $page(1)"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.SH NAME" || fail "$page(1) unreadable"
done

echo "== immediate binding"
for program in vistolarex camtool; do
    readelf -d "$root/usr/bin/$program" | grep -Eq '\(FLAGS\) +BIND_NOW' ||
        fail "$program is not linked with -z now"
done

echo "== the installed programs"
home="$scratch/home"
mkdir -p "$home"
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=offscreen "$@"
}
manual="$(run "$root/usr/bin/vistolarex" --print-manual-path 2>"$scratch/boxes.txt")" ||
    { cat "$scratch/boxes.txt" >&2; fail "the installed editor did not start"; }
[ "$manual" = "$root/usr/bin/../share/vistolarex/VistolarexHelp.html" ] ||
    fail "manual path is '$manual'"
[ -f "$manual" ] || fail "the manual path names no file"
[ -f "$home/.config/Vistolarex/Vistolarex.cfg" ] || fail "no configuration in the user's folder"
[ ! -e "$root/usr/bin/Vistolarex.cfg" ] || fail "configuration written into usr/bin"
run "$root/usr/bin/camtool" demo "$scratch/demo.cam" >/dev/null || fail "installed camtool demo"
run "$root/usr/bin/camtool" check "$scratch/demo.cam" >/dev/null || fail "camtool check of its demo"

# The dependencies resolve from the archive (a dry run; nothing is installed).
if apt-get install --simulate "$(realpath "$deb")" >"$scratch/apt.log" 2>&1; then
    echo "== apt-get install ./$(basename "$deb"): dependencies resolve"
else
    cat "$scratch/apt.log" >&2
    fail "apt-get cannot install the package"
fi
echo "package: ok"
