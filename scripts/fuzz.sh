#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Builds the libFuzzer targets with clang into build-fuzz and runs each one for the
# given number of seconds (default 600). Fails on the first finding; the input that
# caused it is kept in build-fuzz/findings/.
#   scripts/fuzz.sh [seconds] [target ...]
#   targets: cam_reader config_reader locale_number csv_import typed_entry
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(cam_reader config_reader locale_number csv_import typed_entry)
dir=build-fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVX_FUZZ=ON -DVX_BENCH=OFF -DBUILD_TESTING=OFF -DVX_WERROR=ON >/dev/null
cmake --build "$dir" --target fuzz_all

# Seeds come from the project's own writers; what the fuzzer finds is added beside them.
"$dir/fuzz/make_seeds" "$dir/corpus"
mkdir -p "$dir/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

corpus_of() {
    case "$1" in
        cam_reader) echo "cam 30000" ;;
        # Up to the longest record the two 16-bit lengths allow.
        config_reader) echo "config 140000" ;;
        locale_number) echo "locale 64" ;;
        csv_import) echo "csv 65536" ;;
        typed_entry) echo "entry 256" ;;
        *) echo "unknown fuzz target: $1" >&2; return 1 ;;
    esac
}

for target in "${targets[@]}"; do
    setup="$(corpus_of "$target")"
    read -r corpus max_len <<<"$setup"
    echo "== fuzz_$target for ${seconds}s"
    "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/findings/$target-" \
        "$dir/corpus/$corpus"
done
