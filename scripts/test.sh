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
source scripts/private-display.sh
ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc)"
