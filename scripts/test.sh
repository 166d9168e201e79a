#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Installs what is missing, builds and runs the whole test suite. The X11 tests
# need a display: without one, a private Xvfb server is started for the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir="${1:-build}"
shift || true
scripts/build.sh "$dir" "$@"
if [ -z "${DISPLAY:-}" ]; then
    display=":$((90 + RANDOM % 9))"
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY="$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc)"
