#!/usr/bin/env bash
# The command line's whole run, `function-graph --function 3 --output f3.png`, beside gnuplot
# drawing the same function into a PNG of the picture's size: wall time and peak memory (GNU
# time), the two interleaved run by run so that both meet the same noise, medians. Then where the
# program's time goes: loading its libraries (topofmain, linked alike, ends at the top of main;
# and the dynamic loader's own statistics), the same run into memory (/dev/shm: no waiting for the
# disk), and the warm steps inside (picturefile_benchmark).
#   bench/cli-vs-gnuplot.sh BUILD_DIR [RUNS]
# BUILD_DIR must be configured with -DFUNCTION_GRAPH_BENCHMARKS=ON and built. RUNS: 30 unless
# given, at least 10.
set -euo pipefail
export LC_ALL=C

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [RUNS]" >&2
    exit 2
fi
build=$(realpath "$1")
runs=${2:-30}
if [[ ! $runs =~ ^[0-9]+$ ]] || ((runs < 10)); then
    echo "RUNS must be a whole number of at least 10" >&2
    exit 2
fi
program=$build/app/function-graph
top=$build/bench/topofmain
steps=$build/bench/picturefile_benchmark
for file in "$program" "$top" "$steps"; do
    if [[ ! -x $file ]]; then
        echo "$file is missing: configure $build with -DFUNCTION_GRAPH_BENCHMARKS=ON and build it" >&2
        exit 1
    fi
done
if [[ ! -x /usr/bin/time ]] || ! command -v gnuplot >/dev/null; then
    echo "gnuplot or GNU time is missing: run scripts/install-packages bench" >&2
    exit 1
fi

work=$(mktemp -d)
memory=$(mktemp -d /dev/shm/cli-vs-gnuplot-XXXXXX)
trap 'rm -rf "$work" "$memory"' EXIT
cd "$work"

# measure NAME COMMAND...: one run; appends "wall-ms gnu-time-seconds peak-rss-kB" to NAME.txt.
# The wall time is read from the shell's own clock, finer than GNU time's hundredths.
measure() {
    local name=$1
    shift
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null
    local end=$EPOCHREALTIME
    echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", (e - s) * 1000 }')" \
        "$(cat "$work/time.txt")" >>"$work/$name.txt"
}

# median NAME COLUMN
median() {
    cut -d' ' -f"$2" "$work/$1.txt" | sort -g | awk '{ v[NR] = $1 }
        END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

plot="set term png size 441,385; set output 'g.png'; plot [-10:10][-10:10] 5*sin(x)/x"
for ((i = 0; i < runs; ++i)); do
    measure program "$program" --function 3 --output f3.png
    measure gnuplot gnuplot -e "$plot"
    measure topofmain "$top"
    measure in-memory "$program" --function 3 --output "$memory/f3.png"
done

echo "Medians of $runs interleaved runs:"
echo
echo "| run | wall time | GNU time %e | peak RSS |"
echo "|---|---:|---:|---:|"
for name in program gnuplot topofmain in-memory; do
    printf '| %s | %s ms | %s s | %s kB |\n' "$name" "$(median "$name" 1)" "$(median "$name" 2)" \
        "$(median "$name" 3)"
done
echo
awk -v pt="$(median program 1)" -v gt="$(median gnuplot 1)" \
    -v pm="$(median program 3)" -v gm="$(median gnuplot 3)" 'BEGIN {
    printf "function-graph / gnuplot: time %.2fx (target below 1.0), peak memory %.2fx (target at most 1.25)\n",
        pt / gt, pm / gm }'

echo
echo "The dynamic loader, one run:"
LD_DEBUG=statistics "$program" --function 3 --output f3.png 2>&1 |
    grep -E 'total startup time|time needed for relocation|time needed to load' | sed 's/^ *[0-9]*: *//'

echo
echo "The steps inside, warm (medians of 5 repetitions):"
"$steps" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E '_median' | awk '{ printf "  %-28s %8s %s\n", $1, $2, $3 }'
