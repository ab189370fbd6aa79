#!/usr/bin/env bash
# A "Graph" press against the toolkit's floor, per function: runs the press benchmarks ten times
# and prints the medians (CPU time, less disturbed than wall time by other work on the machine)
# and the ratio of press to floor.
#   bench/press.sh BUILD_DIR
# BUILD_DIR must be configured with -DFUNCTION_GRAPH_BENCHMARKS=ON and built: nothing is built
# here.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
benchmark=$1/bench/graphpress_benchmark
if [[ ! -x $benchmark ]]; then
    echo "$benchmark is missing: configure $1 with -DFUNCTION_GRAPH_BENCHMARKS=ON and build it" >&2
    exit 1
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=offscreen

"$benchmark" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null | awk -F, '
    # Rows look like "graphPress/function:3_median",iterations,real,cpu,unit,...
    $1 ~ /_median"?$/ {
        name = $1
        gsub(/"/, "", name)
        split(name, parts, /[\/:_]/)
        kind = parts[1]
        function_number = parts[3]
        cpu[kind, function_number] = $4
        unit = $5
    }
    END {
        printf "%-10s %12s %12s %12s %8s %14s\n", "function", "press", "floor", "f samples",
               "ratio", "ratio less f"
        for (n = 0; n <= 5; ++n) {
            press = cpu["graphPress", n]
            floor = cpu["painterFloor", n]
            samples = cpu["functionSamples", n]
            printf "%-10s %9.1f %-2s %9.1f %-2s %9.1f %-2s %8.2f %14.2f\n",
                   n == 0 ? "none" : n, press, unit, floor, unit, samples, unit,
                   press / floor, (press - samples) / floor
        }
    }'
