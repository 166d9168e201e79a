#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Configures and builds into the given folder (default: build); extra CMake arguments follow.
# Warnings are errors here (VX_WERROR), so that a new one is caught before it lands.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WERROR=ON "$@"
cmake --build "$dir" --parallel "$(nproc)"
