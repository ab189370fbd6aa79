#!/usr/bin/env bash
# Start-up time and peak memory of the program beside a bare window of the same size: each run
# lasts from the start of the process until its first frame is on screen, on a private virtual
# display, watched from outside by bench/firstframe (the programs know nothing of it).
#   bench/startup.sh BUILD_DIR [RUNS]
# BUILD_DIR must be configured with -DFUNCTION_GRAPH_BENCHMARKS=ON and built: nothing is built
# here. RUNS (15 unless given, at least 10) runs of each, interleaved so that all meet the same
# noise; the figures are medians.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [RUNS]" >&2
    exit 2
fi
build=$1
runs=${2:-15}
if [[ ! $runs =~ ^[0-9]+$ ]] || ((runs < 10)); then
    echo "RUNS must be a whole number of at least 10" >&2
    exit 2
fi

watcher=$build/bench/firstframe
program=$build/app/function-graph
bare=$build/bench/barewindow
for file in "$watcher" "$program" "$bare"; do
    if [[ ! -x $file ]]; then
        echo "$file is missing: configure $build with -DFUNCTION_GRAPH_BENCHMARKS=ON and build it" >&2
        exit 1
    fi
done
if [[ ! -x /usr/bin/time ]] || ! command -v Xvfb >/dev/null; then
    echo "Xvfb or GNU time is missing: run scripts/install-packages bench" >&2
    exit 1
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=xcb

xvfb_pid=
finish() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap finish EXIT

# Xvfb picks a free display number and writes it to us. Its root is black: a new window shows the
# root until its program has drawn into it, which is how the watcher sees the first frame.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -br >"$runtime/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" display_number
export DISPLAY=:$display_number

subjects=(program bare text)
declare -A label=(
    [program]="function-graph"
    [bare]="bare window"
    [text]="bare window + one word of text"
)

# Prints "milliseconds KiB" for one start of the subject: the time from the watcher, the peak
# resident memory from GNU time, which reports the largest of the watcher and the program it
# waited for (the watcher itself is a small Xlib client).
start_once() {
    local command
    case $1 in
    program) command=("$program") ;;
    bare) command=("$bare") ;;
    text) command=("$bare" --text) ;;
    esac
    local watched
    watched=$(/usr/bin/time -f '%M' -o "$runtime/peak" "$watcher" Graph "${command[@]}")
    echo "${watched%% *} $(tail -n 1 "$runtime/peak")"
}

# The first starts read libraries, plugins and font caches from disk; those are not measured.
for subject in "${subjects[@]}"; do
    for _ in 1 2; do
        start_once "$subject" >/dev/null
    done
done
for ((run = 0; run < runs; run++)); do
    for subject in "${subjects[@]}"; do
        start_once "$subject" >>"$runtime/$subject"
    done
done

# Median, lowest and highest of column $2 of file $1.
summary() {
    cut -d' ' -f"$2" "$1" | sort -n | awk '
        { value[NR] = $1 }
        END {
            median = NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2
            print median, value[1], value[NR]
        }'
}

declare -A time_ms rss_kib
echo "Start until first frame on screen, and peak resident memory: medians of $runs runs each"
echo "(interleaved; lowest and highest in brackets) on a 1024x768x24 Xvfb; 1 MB = 10^6 bytes."
printf '%-32s %-22s  %s\n' "" "first frame (ms)" "peak RSS (MB)"
for subject in "${subjects[@]}"; do
    read -r time_median time_low time_high < <(summary "$runtime/$subject" 1)
    read -r rss_median rss_low rss_high < <(summary "$runtime/$subject" 2)
    time_ms[$subject]=$time_median
    rss_kib[$subject]=$rss_median
    awk -v name="${label[$subject]}" -v t="$time_median" -v tl="$time_low" -v th="$time_high" \
        -v r="$rss_median" -v rl="$rss_low" -v rh="$rss_high" 'BEGIN {
            printf "%-32s %5.1f (%5.1f-%5.1f)     %5.1f (%5.1f-%5.1f)\n",
                name, t, tl, th, r * 1.024e-3, rl * 1.024e-3, rh * 1.024e-3
        }'
done
awk -v t="${time_ms[program]}" -v tb="${time_ms[bare]}" -v r="${rss_kib[program]}" \
    -v rb="${rss_kib[bare]}" 'BEGIN {
        printf "program against the bare window: %.2f times the time (target: at most 1.20),\n", t / tb
        printf "%+.1f MB of memory (target: at most +5 MB)\n", (r - rb) * 1.024e-3
    }'
