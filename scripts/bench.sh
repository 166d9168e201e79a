#!/usr/bin/env bash
# Builds vx_bench into the given folder (default: build) and prints its figures as
# a table: each load and save beside the plain copy, read or write of the same bytes.
# In memory the ratio is taken on CPU time, which a busy machine disturbs least; for
# the file system on real time, since waiting for the disk is the cost there.
# The figures are for reading, not judged. Extra arguments go to vx_bench.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target vx_bench >/dev/null

"$dir/bench/vx_bench" --benchmark_format=csv "$@" 2>/dev/null | awk -F, '
    # Which floor each measurement is compared with.
    BEGIN {
        floor["CamMemory/Load"] = "CamMemory/CopyFloor"
        floor["CamMemory/Save"] = "CamMemory/CopyFloor"
        floor["CamFile/Load"] = "CamFile/ReadFloor"
        floor["CamFile/Save"] = "CamFile/WriteFloor"
    }
    $1 == "name" { next }
    {
        name = $1; gsub(/"/, "", name)
        scale = $5 == "ns" ? 1e-3 : $5 == "us" ? 1 : $5 == "ms" ? 1e3 : 1e6
        order[++n] = name
        real[name] = $3 * scale
        cpu[name] = $4 * scale
        rate[name] = $6 / 1048576
        failed[name] = $9
    }
    END {
        printf "%-22s %14s %14s %12s %10s\n", "benchmark", "real us/run", "cpu us/run", "MiB/s", "x floor"
        for (i = 1; i <= n; ++i) {
            name = order[i]
            if (failed[name] == "true") { printf "%-22s %s\n", name, "failed"; continue }
            ratio = "-"
            f = floor[name]
            if (name ~ /^CamMemory/ && cpu[f] > 0) ratio = sprintf("%.1f", cpu[name] / cpu[f])
            else if (name in floor && real[f] > 0) ratio = sprintf("%.1f", real[name] / real[f])
            printf "%-22s %14.1f %14.1f %12.1f %10s\n", name, real[name], cpu[name], rate[name], ratio
        }
    }'
