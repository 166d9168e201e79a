#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Builds vx_bench into the given folder (default: build) and prints its figures as
# one table (see bench/bench_table.awk): the CAM load and save beside their plain
# I/O floors, the editor window's actions and start-up on the offscreen platform,
# and the game remote's figures on an X server (a private Xvfb when DISPLAY is unset).
# The figures are for reading, not judged. Extra arguments go to vx_bench.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WERROR=ON >/dev/null
cmake --build "$dir" --target vx_bench >/dev/null
source scripts/private-display.sh

"$dir/bench/vx_bench" --benchmark_format=json "$@" 2>/dev/null | awk -f bench/bench_table.awk
