#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Installs the build tree into a scratch prefix and starts the installed editor
# with a make-believe home: it must find its manual in share/vistolarex and, being
# installed, keep Vistolarex.cfg in the user's configuration folder even where it
# could write its bin folder.
# Usage: install_test.sh BUILD_DIR CMAKE
set -euo pipefail
build="$1"
cmake="$2"
scratch="$(mktemp -d)"
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
home="$scratch/home"
mkdir -p "$home"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    { cat "$scratch/install.log" >&2; fail "cmake --install"; }

for file in bin/vistolarex bin/camtool share/vistolarex/VistolarexHelp.html \
    share/man/man1/vistolarex.1.gz share/man/man1/camtool.1.gz \
    share/metainfo/io.github.vistolarex.vistolarex.metainfo.xml \
    share/applications/vistolarex.desktop share/mime/packages/vistolarex-cam.xml \
    share/icons/hicolor/scalable/apps/vistolarex.svg; do
    [ -f "$prefix/$file" ] || fail "$file not installed"
done
[ -x "$prefix/bin/vistolarex" ] && [ -x "$prefix/bin/camtool" ] || fail "programs not executable"

# The desktop entry names what was installed: the program, the icon, the MIME type.
desktop="$prefix/share/applications/vistolarex.desktop"
grep -qx 'Exec=vistolarex %f' "$desktop" || fail "desktop entry does not start vistolarex"
grep -qx 'Icon=vistolarex' "$desktop" || fail "desktop entry names another icon"
mime="$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/vistolarex-cam.xml")"
[ -n "$mime" ] || fail "no MIME type in the package file"
grep -q "^MimeType=.*$mime;" "$desktop" || fail "desktop entry does not claim $mime"

# The bin folder stays writable, as /usr/bin is for root: an installed copy keeps
# its configuration with the user all the same.

run_editor() {
    # No desktop: neither a display for the game remote nor the tester's own home.
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/vistolarex" --print-manual-path 2>"$scratch/boxes.txt"
}

manual="$(run_editor)" || { cat "$scratch/boxes.txt" >&2; fail "vistolarex did not start"; }
[ "$manual" = "$prefix/bin/../share/vistolarex/VistolarexHelp.html" ] ||
    fail "manual path is '$manual'"
[ -f "$manual" ] || fail "the manual path names no file"
grep -q '^Vistolarex: Error while initializing: ' "$scratch/boxes.txt" ||
    fail "first start without the corrupt-configuration notice"
if grep -q '^Debug-Mode' "$scratch/boxes.txt"; then
    cat "$scratch/boxes.txt" >&2
    fail "debug message on the first start"
fi

config="$home/.config/Vistolarex/Vistolarex.cfg"
[ -f "$config" ] || fail "no configuration file in the user's folder"
[ "$(stat -c %s "$config")" = 3210 ] || fail "configuration file is not 3210 bytes"
[ ! -e "$prefix/bin/Vistolarex.cfg" ] || fail "configuration file written into bin"

# The second start reads the file it wrote and says nothing.
cp "$config" "$scratch/first.cfg"
run_editor >/dev/null || fail "second start"
if grep -q '^Vistolarex: ' "$scratch/boxes.txt"; then
    cat "$scratch/boxes.txt" >&2
    fail "second start still finds no valid configuration"
fi
cmp -s "$config" "$scratch/first.cfg" || fail "second start rewrote the configuration"

# Questions about the program are answered without a display or a window.
usage="$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vistolarex" --help)" ||
    fail "vistolarex --help"
grep -q '^Usage: vistolarex \[FILE\]' <<<"$usage" || fail "no usage from --help"

# The installed camtool works from there too.
"$prefix/bin/camtool" new "$scratch/new.cam" >/dev/null || fail "installed camtool"
[ "$(stat -c %s "$scratch/new.cam")" = 184 ] || fail "camtool new wrote no start-up document"
echo "installed layout and configuration folder: ok"
