#!/usr/bin/env bash
# Instruction counts of one frame of each rendering benchmark, toolkit against plain Cairo, under
# callgrind: repeatable on a loaded machine where wall time is not. Each frame is dumped on its
# own; the first (warm-up) frame of each side is dropped and the median of the rest is kept.
# Usage: bench/callgrind_ratios.sh [path/to/orvane_bench]
set -euo pipefail
bench=${1:-build/release/bench/orvane_bench}
orvaneFrame='ov::ui::renderToImage(ov::ui::View&, double)'
cairoFrame='(anonymous namespace)::drawScreen(_cairo_surface*, std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > const&)'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median instructions per frame of one benchmark.
frameCost() {
    local name=$1 frame=$2
    rm -f "$work"/cg.*
    valgrind --tool=callgrind --callgrind-out-file="$work/cg" --collect-atstart=no \
        --toggle-collect="$frame" --dump-after="$frame" \
        "$bench" --benchmark_filter="^$name\$" --benchmark_min_time=2 >/dev/null 2>&1
    for dump in "$work"/cg.*; do
        sed -n 's/^totals: //p' "$dump"
    done | tail -n +2 | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}

for pair in render_200_views render_animation_frame; do
    orvane=$(frameCost "$pair/orvane" "$orvaneFrame")
    cairo=$(frameCost "$pair/cairo" "$cairoFrame")
    awk -v p="$pair" -v o="$orvane" -v c="$cairo" \
        'BEGIN {printf "%-24s orvane %11d  cairo %11d  ratio %.2f\n", p, o, c, o / c}'
done
