#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Both programs answer --version with their name and the project's version on
# standard output, exit 0, and need no display for it.
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
exit $failed
