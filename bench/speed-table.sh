#!/usr/bin/env bash
# Prints the README's speed table: CPU milliseconds per frame of every render benchmark, the mean
# over its progress values (or the mean frame of a sequence) of the median of three runs, at
# 720x576 and 1920x1080.
#   bench/speed-table.sh [BUILD_DIR] [extra zelkor_bench options...]
set -euo pipefail
build=${1:-build/bench}
shift || true
bench="$build/zelkor_bench"
[[ -x $bench ]] || { echo "no $bench: configure with -DZELKOR_BUILD_BENCH=ON and build it" >&2; exit 1; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
filter='^[a-z0-9]+/.*/(720x576|1920x1080)/'
for arg in "$@"; do [[ $arg == --benchmark_filter=* ]] && filter=${arg#--benchmark_filter=}; done
# The median of three runs of each case: a single run on a shared machine can catch a
# neighbour's burst.
"$bench" --benchmark_format=json --benchmark_out="$json" --benchmark_out_format=json \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@" \
  --benchmark_filter="$filter" > /dev/null
python3 - "$json" <<'PY'
import json, sys, collections
runs = json.load(open(sys.argv[1]))["benchmarks"]
times = collections.defaultdict(list)
for r in runs:
    if r.get("run_type") == "aggregate" and r.get("aggregate_name") != "median":
        continue
    parts = r["run_name"].split("/")
    if len(parts) < 3 or parts[2] not in ("720x576", "1920x1080"):
        continue
    module, label, size = parts[:3]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[r["time_unit"]]
    times[(module, label, size)].append(r["cpu_time"] * scale)
rows = sorted({(m, l) for m, l, _ in times})
print("| transition | settings | 720×576 ms | 1920×1080 ms | 1080p frames/s |")
print("|---|---|---:|---:|---:|")
def mean(key):
    v = times.get(key)
    return sum(v) / len(v) if v else None
def fmt(ms):
    return "–" if ms is None else (f"{ms:.2f}" if ms < 10 else f"{ms:.1f}")
for m, l in rows:
    small, large = mean((m, l, "720x576")), mean((m, l, "1920x1080"))
    fps = "–" if not large else f"{1000 / large:.0f}"
    flag = " ✗" if large and large > 16.7 else ""
    print(f"| {m} | {l} | {fmt(small)} | {fmt(large)}{flag} | {fps} |")
PY
