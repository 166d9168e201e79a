#!/usr/bin/env bash

# SPDX-FileCopyrightText: The Vistolarex developers
# SPDX-License-Identifier: MIT

# Checks the table that scripts/bench.sh prints from a report in the JSON form the
# benchmark library writes: units, the floors (listed after what they are compared
# with), the processor share, the run settings in names and a failed run.
set -euo pipefail
table="$(awk -f "$1" <<'JSON'
{
  "context": {
    "date": "2026-01-01T00:00:00+00:00",
    "host_name": "bench",
    "library_build_type": "release"
  },
  "benchmarks": [
    {
      "name": "CamMemory/Load",
      "run_type": "iteration",
      "iterations": 1000,
      "real_time": 4.0000000000000000e+04,
      "cpu_time": 2.0000000000000000e+04,
      "time_unit": "ns",
      "bytes_per_second": 1.0485760000000000e+08
    },
    {
      "name": "CamMemory/CopyFloor",
      "run_type": "iteration",
      "iterations": 100000,
      "real_time": 2.0000000000000000e+03,
      "cpu_time": 5.0000000000000000e+02,
      "time_unit": "ns",
      "bytes_per_second": 4.1943040000000000e+09
    },
    {
      "name": "CamFile/Save",
      "run_type": "iteration",
      "iterations": 100,
      "real_time": 1.5000000000000000e+00,
      "cpu_time": 2.0000000000000001e-01,
      "time_unit": "ms",
      "bytes_per_second": 1.0485760000000000e+07
    },
    {
      "name": "CamFile/WriteFloor",
      "run_type": "iteration",
      "iterations": 200,
      "real_time": 5.0000000000000000e+02,
      "cpu_time": 1.0000000000000000e+02,
      "time_unit": "us",
      "bytes_per_second": 2.0971520000000000e+07
    },
    {
      "name": "Remote/WaitForF5/iterations:3/real_time",
      "run_type": "iteration",
      "iterations": 3,
      "real_time": 1.0520000000000000e+03,
      "cpu_time": 6.0000000000000000e+00,
      "time_unit": "ms",
      "cpu_percent": 5.7000000000000000e-01,
      "server_percent": 1.0000000000000000e-01
    },
    {
      "name": "Remote/RecordShortClicks/iterations:1/real_time",
      "run_type": "iteration",
      "iterations": 1,
      "real_time": 2.1000000000000000e+03,
      "cpu_time": 3.0000000000000000e+01,
      "time_unit": "ms",
      "max_error_ms": 9.4999999999999996e-01,
      "missed": 0.0000000000000000e+00
    },
    {
      "name": "Window/TypedEntry",
      "run_type": "iteration",
      "iterations": 0,
      "real_time": 0.0000000000000000e+00,
      "cpu_time": 0.0000000000000000e+00,
      "time_unit": "us",
      "error_occurred": true,
      "error_message": "the typed value was not stored"
    }
  ]
}
JSON
)"
failures=0
expect() {  # row, column, expected text
    local got
    got="$(awk -v row="$1" -v col="$2" '$1 == row { print $col }' <<<"$table")"
    if [ "$got" != "$3" ]; then
        echo "$1 column $2: expected '$3', got '$got'"
        failures=$((failures + 1))
    fi
}
expect CamMemory/Load 2 40.0       # real time in microseconds
expect CamMemory/Load 4 100.0      # MiB/s
expect CamMemory/Load 5 40.0       # in memory the ratio is on CPU time
expect CamMemory/CopyFloor 5 -
expect CamFile/Save 2 1500.0       # milliseconds turned into microseconds
expect CamFile/Save 5 3.0          # on disk on real time, across units
expect Remote/WaitForF5 2 1052000.0
expect Remote/WaitForF5 6 0.57
expect CamFile/Save 6 -
expect CamFile/Save 7 -
expect Remote/RecordShortClicks 7 missed=0,max_error_ms=0.9
expect Window/TypedEntry 2 failed:
[ "$(grep -c . <<<"$table")" -eq 8 ] || { echo "expected a header and seven rows"; failures=$((failures + 1)); }
grep -q 'Window/TypedEntry *failed: the typed value was not stored$' <<<"$table" ||
    { echo "the failure's message is missing"; failures=$((failures + 1)); }
if ((failures)); then
    printf '%s\n' "$table"
    exit 1
fi
