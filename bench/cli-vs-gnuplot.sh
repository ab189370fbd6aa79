#!/usr/bin/env bash
# The command line's whole run, `function-graph --function 3 --output f3.png`, beside gnuplot
# drawing the same function into a PNG of the picture's size: wall time and peak memory (GNU
# time), the two interleaved run by run so that both meet the same noise, medians. Then where the
# program's time goes: loading its libraries (topofmain, linked alike, ends at the top of main;
# and the dynamic loader's own statistics), the same run into memory (/dev/shm: no waiting for the
# disk), and the warm steps inside (picturefile_benchmark). Then many pictures and a large one:
# 100 PNGs (the five functions, 20 files each) in one run against gnuplot's 100 plots in one
# process, and --scale 4 against gnuplot's PNG at 1764x1540, on disk and in memory, interleaved.
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

# measure NAME COMMAND...: one run; appends "wall-ms gnu-time-seconds peak-rss-kB user-s system-s"
# to NAME.txt.
# The wall time is read from the shell's own clock, finer than GNU time's hundredths.
measure() {
    local name=$1
    shift
    local start=$EPOCHREALTIME
    /usr/bin/time -f '%e %M %U %S' -o "$work/time.txt" "$@" >/dev/null
    local end=$EPOCHREALTIME
    echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", (e - s) * 1000 }')" \
        "$(cat "$work/time.txt")" >>"$work/$name.txt"
}

# median NAME COLUMN; column 0 is the processor time in ms, user and system together.
median() {
    awk -v c="$2" '{ print c ? $c : ($4 + $5) * 1000 }' "$work/$1.txt" | sort -g | awk '{ v[NR] = $1 }
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

# Many pictures and a large one. Every run writes into a folder of its own kind (disk or memory)
# that is emptied before each run, so that no run replaces another's files.
formulas=("x*x-2" "x*exp(-x)+2" "5*sin(x)/x" "exp(x)-1-x**2" "sqrt(x**2+1)")
# batch-script FOLDER: gnuplot's 100 plots, the five functions 20 times, one file each.
batch_script() {
    echo "set term png size 441,385"
    for ((k = 1; k <= 20; ++k)); do
        for n in 1 2 3 4 5; do
            echo "set output '$1/g$k-$n.png'; plot [-10:10][-10:10] ${formulas[n - 1]}"
        done
    done
}
batch_script "$work/many" >batch-disk.gp
batch_script "$memory/many" >batch-memory.gp
outputs() {
    for ((k = 1; k <= 20; ++k)); do printf -- "--output\n$1/p$k-{n}.png\n"; done
}
mapfile -t disk_outputs < <(outputs "$work/many")
mapfile -t memory_outputs < <(outputs "$memory/many")
large="set term png size 1764,1540; set output 'large.png'; plot [-10:10][-10:10] 5*sin(x)/x"
fresh() { rm -rf "$work/many" "$memory/many" && mkdir "$work/many" "$memory/many"; }
for ((i = 0; i < runs; ++i)); do
    fresh && measure batch-program "$program" --function 1-5 "${disk_outputs[@]}"
    if [[ $(find "$work/many" -name '*.png' | wc -l) != 100 ]]; then
        echo "the program did not write 100 pictures" >&2
        exit 1
    fi
    fresh && measure batch-gnuplot gnuplot batch-disk.gp
    fresh && measure batch-program-memory "$program" --function 1-5 "${memory_outputs[@]}"
    fresh && measure batch-gnuplot-memory gnuplot batch-memory.gp
    measure scale4-program "$program" --function 3 --output f3-large.png --scale 4
    measure scale4-gnuplot gnuplot -e "$large"
    measure scale4-program-memory "$program" --function 3 --output "$memory/f3-large.png" --scale 4
    measure scale4-gnuplot-memory gnuplot -e "cd '$memory'; $large"
done

echo
echo "Many pictures and a large one, medians of $runs interleaved runs:"
echo
echo "| run | wall time | processor time | peak RSS |"
echo "|---|---:|---:|---:|"
for name in batch-program batch-gnuplot batch-program-memory batch-gnuplot-memory scale4-program \
    scale4-gnuplot scale4-program-memory scale4-gnuplot-memory; do
    printf '| %s | %s ms | %s ms | %s kB |\n' "$name" "$(median "$name" 1)" "$(median "$name" 0)" \
        "$(median "$name" 3)"
done
echo
for where in "" -memory; do
    label=${where:+in memory}
    awk -v where="${label:-on disk}" -v bp="$(median "batch-program$where" 1)" \
        -v bg="$(median "batch-gnuplot$where" 1)" -v sp="$(median "scale4-program$where" 1)" \
        -v sg="$(median "scale4-gnuplot$where" 1)" -v bpc="$(median "batch-program$where" 0)" \
        -v bgc="$(median "batch-gnuplot$where" 0)" -v spc="$(median "scale4-program$where" 0)" \
        -v sgc="$(median "scale4-gnuplot$where" 0)" 'BEGIN {
        printf "%s: 100 PNGs %.2fx gnuplot'"'"'s time (target at most 0.5), scale 4 %.2fx (target at most 1.0);", where, bp / bg, sp / sg
        printf " processor time %.2fx and %.2fx\n", bpc / bgc, spc / sgc }'
done

echo
echo "The dynamic loader, one run:"
LD_DEBUG=statistics "$program" --function 3 --output f3.png 2>&1 |
    grep -E 'total startup time|time needed for relocation|time needed to load' | sed 's/^ *[0-9]*: *//'

echo
echo "The steps inside, warm (medians of 5 repetitions):"
"$steps" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E '_median' | awk '{ printf "  %-28s %8s %s\n", $1, $2, $3 }'
