#!/usr/bin/env bash
# Prints the README's speed table: wall-clock milliseconds per frame of every render
# benchmark, the mean over its progress values (or the mean frame of a sequence) of the
# median of three runs, at 720x576 and 1920x1080, once with one thread per frame
# (ZELKOR_THREADS=1) and once with every core (ZELKOR_THREADS unset: the machine's cores),
# and the speedup at 1920x1080.
#   bench/speed-table.sh [BUILD_DIR] [extra zelkor_bench options...]
set -euo pipefail
build=${1:-build/bench}
shift || true
bench="$build/zelkor_bench"
[[ -x $bench ]] || { echo "no $bench: configure with -DZELKOR_BUILD_BENCH=ON and build it" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
filter='^[a-z0-9]+/.*/(720x576|1920x1080)/'
for arg in "$@"; do [[ $arg == --benchmark_filter=* ]] && filter=${arg#--benchmark_filter=}; done
# The median of three runs of each case: a single run on a shared machine can catch a
# neighbour's burst. A module's cases run on one thread and then on every core, turn about
# three times, so that the two columns of a row see the machine in the same states (a
# virtual machine's speed drifts over minutes).
run() {
  "$bench" --benchmark_format=json --benchmark_out="$1" --benchmark_out_format=json \
    "${@:3}" --benchmark_filter="$2" > /dev/null
}
"$bench" --benchmark_list_tests --benchmark_filter="$filter" > "$work/cases"
for m in $(cut -d/ -f1 "$work/cases" | sort -u); do
  # The module's cases by name, every character a pattern gives meaning to escaped.
  names=$(grep "^$m/" "$work/cases" | sed 's/[][\.*^$()+?{}|]/\\&/g' | paste -sd'|')
  for k in 1 2 3; do
    ZELKOR_THREADS=1 run "$work/one.$m.$k.json" "^($names)\$" "$@"
    (unset ZELKOR_THREADS; run "$work/all.$m.$k.json" "^($names)\$" "$@")
  done
done
cores=$(nproc)
python3 - "$work" "$cores" <<'PY'
import glob, json, sys, collections
def load(pattern):
    runs = collections.defaultdict(list)
    for path in sorted(glob.glob(pattern)):
        for r in json.load(open(path))["benchmarks"]:
            if r.get("run_type") == "aggregate":
                continue
            parts = r["run_name"].split("/")
            if len(parts) < 3 or parts[2] not in ("720x576", "1920x1080"):
                continue
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[r["time_unit"]]
            runs[r["run_name"]].append(r["real_time"] * scale)
    times = collections.defaultdict(list)
    for name, v in runs.items():
        v.sort()
        times[tuple(name.split("/")[:3])].append(v[len(v) // 2])
    return times
one, every = load(sys.argv[1] + "/one.*.json"), load(sys.argv[1] + "/all.*.json")
cores = sys.argv[2]
def mean(times, key):
    v = times.get(key)
    return sum(v) / len(v) if v else None
def fmt(ms):
    return "–" if ms is None else (f"{ms:.2f}" if ms < 10 else f"{ms:.1f}")
rows = sorted({(m, l) for m, l, _ in one} | {(m, l) for m, l, _ in every})
print(f"| transition | settings | 720×576 ms, 1 thread | 720×576 ms, {cores} threads | "
      f"1920×1080 ms, 1 thread | 1920×1080 ms, {cores} threads | speedup | 1080p frames/s |")
print("|---|---|---:|---:|---:|---:|---:|---:|")
for m, l in rows:
    s1, sn = mean(one, (m, l, "720x576")), mean(every, (m, l, "720x576"))
    l1, ln = mean(one, (m, l, "1920x1080")), mean(every, (m, l, "1920x1080"))
    speedup = f"{l1 / ln:.2f}×" if l1 and ln else "–"
    fps = "–" if not ln else f"{1000 / ln:.0f}"
    flag = " ✗" if ln and ln > 16.7 else ""
    print(f"| {m} | {l} | {fmt(s1)} | {fmt(sn)} | {fmt(l1)} | {fmt(ln)}{flag} | {speedup} | {fps} |")
PY
