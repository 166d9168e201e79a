#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Both programs answer --version with their name and the project's version on
# standard output, exit 0, and need no display for it; the editor (the first
# PROGRAM) says so when it is started without a display.
# Usage: version_test.sh VERSION PROGRAM...
set -u
version=$1
shift
failed=0
for program in "$@"; do
    expected="$(basename "$program") $version"
    if ! out=$(env -u DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1); then
        echo "FAIL: $program --version exited non-zero: $out"
        failed=1
    elif [ "$out" != "$expected" ]; then
        echo "FAIL: $program --version printed '$out', expected '$expected'"
        failed=1
    fi
done
# The editor without any display: a clear word and exit 1 instead of Qt's abort;
# what needs no window still works.
editor=$1
nodisplay="env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
out=$($nodisplay "$editor" 2>&1)
status=$?
expected="vistolarex: no graphical display found (DISPLAY/WAYLAND_DISPLAY are not set); use camtool for work without a display."
if [ $status -ne 1 ] || [ "$out" != "$expected" ]; then
    echo "FAIL: without a display the editor exited $status with: $out"
    failed=1
fi
for option in --help --print-manual-path; do
    if ! out=$($nodisplay "$editor" $option 2>&1) || [ -z "$out" ]; then
        echo "FAIL: $option without a display: $out"
        failed=1
    fi
done
exit $failed
