#!/usr/bin/env bash
# What two cores can give one frame of a render, measured rather than assumed: each case at
# 1920x1080 once alone on one thread, once with every core, and once as two frames side by
# side, two processes each rendering on one thread at the same time. The side-by-side time
# is what a frame of that work costs when both cores are busy with it (shared caches,
# memory, and whatever the virtual machine's cores share); half of it is the floor for one
# frame split over two cores with no sequential part and no overhead, and twice the alone
# time over it is the most two cores can speed that work up on this machine.
#   bench/pair-floor.sh [BUILD_DIR] [FILTER]
# FILTER picks benchmark cases (a regular expression over their names); the default is the
# cases the README's speed table discusses.
set -euo pipefail
build=${1:-build/bench}
bench="$build/zelkor_bench"
[[ -x $bench ]] || { echo "no $bench: configure with -DZELKOR_BUILD_BENCH=ON and build it" >&2; exit 1; }
default='^((cuboids2|logo|bloom|rays|shaft|waves|crossfade)/[^/]*/1920x1080/p=0.50|(chars|firestorm)/[^/]*/1920x1080/sequence)'
filter=${2:-$default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# median ms of three runs of one case: run CASE_REGEX OUT [env...]
run() {
  local pattern=$1 out=$2
  shift 2
  env "$@" "$bench" --benchmark_filter="$pattern" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true --benchmark_min_time=1 \
    --benchmark_format=json --benchmark_out="$out" --benchmark_out_format=json >/dev/null
}
median() {
  python3 -c '
import json, sys
for r in json.load(open(sys.argv[1]))["benchmarks"]:
    if r.get("aggregate_name") == "median":
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[r["time_unit"]]
        print(r["real_time"] * scale)
        break' "$1"
}

echo "| case | 1 thread ms | 2 threads ms | side by side, ms a frame | floor on 2 cores ms | speedup | most on this machine |"
echo "|---|---:|---:|---:|---:|---:|---:|"
"$bench" --benchmark_list_tests --benchmark_filter="$filter" | while read -r name; do
  pattern="^$(printf '%s' "$name" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
  run "$pattern" "$work/alone.json" ZELKOR_THREADS=1
  run "$pattern" "$work/every.json" -u ZELKOR_THREADS
  run "$pattern" "$work/left.json" ZELKOR_THREADS=1 &
  left=$!
  run "$pattern" "$work/right.json" ZELKOR_THREADS=1
  wait "$left"
  python3 - "$name" "$(median "$work/alone.json")" "$(median "$work/every.json")" \
    "$(median "$work/left.json")" "$(median "$work/right.json")" <<'PY'
import sys
name = sys.argv[1].replace("/real_time", "").replace("/iterations:99", "")
alone, every, left, right = map(float, sys.argv[2:])
side = (left + right) / 2
fmt = lambda ms: f"{ms:.2f}" if ms < 10 else f"{ms:.1f}"
print(f"| {name} | {fmt(alone)} | {fmt(every)} | {fmt(side)} | {fmt(side / 2)} | "
      f"{alone / every:.2f}× | {2 * alone / side:.2f}× |")
PY
done
