# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Turns vx_bench's JSON report into one table: time per run, throughput, each load
# and save beside the plain copy, read or write of the same bytes, camtool's import
# beside its dump, the processor share of the remote's wait (the X server's
# included), and the remote's own figures: clicks missed, errors against the
# schedule, latencies. In memory, and for camtool, whose files stay in the page
# cache, the ratio is taken on CPU time, which a busy machine disturbs least; for the
# file system on real time, since waiting for the disk is the cost there. The
# reporter writes one key per line.

function value(line) {
    sub(/^[ \t]*"[A-Za-z0-9_]+": */, "", line)
    sub(/,[ \t\r]*$/, "", line)
    gsub(/^"|"$/, "", line)
    return line
}

function micro(figure, unit) {
    return figure * (unit == "ns" ? 1e-3 : unit == "us" ? 1 : unit == "ms" ? 1e3 : 1e6)
}

BEGIN {
    # Which floor each measurement is compared with.
    floor["CamMemory/Load"] = "CamMemory/CopyFloor"
    floor["CamMemory/Save"] = "CamMemory/CopyFloor"
    floor["CamFile/Load"] = "CamFile/ReadFloor"
    floor["CamFile/Save"] = "CamFile/WriteFloor"
    floor["Camtool/Import"] = "Camtool/Dump"
}

/"benchmarks": \[/ { inside = 1; next }
!inside { next }

/^[ \t]*"[A-Za-z0-9_]+": / {
    key = $0
    sub(/^[ \t]*"/, "", key)
    sub(/".*/, "", key)
    if (key == "name") {
        # The run's settings the library appends to the name are not part of it.
        name = value($0)
        gsub(/\/(iterations|min_time|repeats|threads):[0-9.]+|\/(real|manual)_time/, "", name)
        order[++n] = name
    } else {
        field[name, key] = value($0)
    }
}

END {
    # The floors may come after what is compared with them.
    for (i = 1; i <= n; ++i) {
        name = order[i]
        real[name] = micro(field[name, "real_time"], field[name, "time_unit"])
        cpu[name] = micro(field[name, "cpu_time"], field[name, "time_unit"])
    }
    split("missed max_error_ms latency_ms median_ms worst_ms", figures, " ")
    printf "%-24s %14s %14s %10s %9s %8s  %s\n", "benchmark", "real us/run", "cpu us/run", "MiB/s",
        "x floor", "% core", "remote"
    for (i = 1; i <= n; ++i) {
        name = order[i]
        if (field[name, "error_occurred"] == "true") {
            printf "%-24s failed: %s\n", name, field[name, "error_message"]
            continue
        }
        rate = (name, "bytes_per_second") in field ? \
            sprintf("%.1f", field[name, "bytes_per_second"] / 1048576) : "-"
        ratio = "-"
        f = floor[name]
        if (name ~ /^(CamMemory|Camtool)\// && cpu[f] > 0) {
            ratio = sprintf("%.1f", cpu[name] / cpu[f])
        } else if (name in floor && real[f] > 0) ratio = sprintf("%.1f", real[name] / real[f])
        share = (name, "cpu_percent") in field ? sprintf("%.2f", field[name, "cpu_percent"]) : "-"
        remote = ""
        for (k = 1; k in figures; ++k) {
            if (!((name, figures[k]) in field)) continue
            remote = remote (remote == "" ? "" : ",") figures[k] "=" \
                sprintf(figures[k] == "missed" ? "%d" : "%.1f", field[name, figures[k]])
        }
        printf "%-24s %14.1f %14.1f %10s %9s %8s  %s\n", name, real[name], cpu[name], rate, ratio,
            share, remote == "" ? "-" : remote
    }
}
