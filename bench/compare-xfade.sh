#!/usr/bin/env bash
# Our transitions against FFmpeg's xfade filter on the same 1920x1080 frames, one thread
# each, in one run on this machine. Prints milliseconds per frame (CPU time) and frames per
# second for each pair and the ratio of our frames per second to xfade's.
#
# Ours: one render call through the module's entry point (bench/zelkor_bench), averaged
# over progress 0.25, 0.5 and 0.75. xfade: the ffmpeg command line on the two sample
# scenes as raw planar RGB (xfade's own format, so nothing is converted), 100 frames inside
# the transition, minus the same pipeline without xfade.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELKOR_BENCH_BUILD:-build/bench}
command -v ffmpeg >/dev/null || { echo "compare-xfade: the ffmpeg command is missing (apt install ffmpeg)" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELKOR_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target zelkor_bench zelkor >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/zelkor" scenes --out-dir "$work" --size 1920x1080 >/dev/null
for s in a b; do
  ffmpeg -loglevel error -i "$work/scene_$s.bmp" -f rawvideo -pix_fmt gbrp "$work/$s.gbrp"
done

frames=100
# CPU seconds of an ffmpeg run over the two looped scenes with the given filter graph.
ffmpeg_seconds() {
  local graph=$1
  local raw=(-f rawvideo -pix_fmt gbrp -video_size 1920x1080 -framerate 25)
  ffmpeg -hide_banner -nostdin -benchmark -threads 1 -filter_threads 1 -filter_complex_threads 1 \
    -stream_loop -1 "${raw[@]}" -i "$work/a.gbrp" -stream_loop -1 "${raw[@]}" -i "$work/b.gbrp" \
    -filter_complex "$graph" -frames:v "$frames" -f null - 2>&1 |
    sed -n 's/.*utime=\([0-9.]*\)s.*/\1/p' | tail -1
}
xfade_ms() { # TRANSITION -> milliseconds per frame
  local base with
  base=$(ffmpeg_seconds "[0]null[v];[1]nullsink;[v]null")
  with=$(ffmpeg_seconds "[0][1]xfade=transition=$1:duration=$((frames / 25 + 1)):offset=0")
  python3 -c "print(max(($with - $base) * 1000 / $frames, 1e-3))"
}

# Ours, every case at once: label -> mean CPU milliseconds over the progress values.
"$build/zelkor_bench" --benchmark_filter='^(crossfade/default|mosaic/default|bwflash/default|bloom/(Wipe left to right|Wipe clockwise|circle outwards))/1920x1080/' \
  --benchmark_format=json --benchmark_min_time=0.5 >"$work/ours.json" 2>/dev/null

pairs=(
  "crossfade/default|fade"
  "bloom/Wipe left to right|wipeleft"
  "bloom/Wipe clockwise|radial"
  "bloom/circle outwards|circleopen"
  "mosaic/default|pixelize"
  "bwflash/default|fadeblack"
)
printf '%-28s %9s %8s   %-11s %9s %8s   %s\n' "ours" "ms/frame" "fps" "xfade" "ms/frame" "fps" "ours/xfade"
for pair in "${pairs[@]}"; do
  ours=${pair%%|*}
  theirs=${pair##*|}
  our_ms=$(python3 - "$work/ours.json" "$ours" <<'PY'
import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b["name"].startswith(sys.argv[2] + "/1920x1080/") and b.get("run_type") != "aggregate"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
print(sum(b["cpu_time"] * scale[b["time_unit"]] for b in runs) / len(runs))
PY
)
  their_ms=$(xfade_ms "$theirs")
  python3 - "$ours" "$our_ms" "$theirs" "$their_ms" <<'PY'
import sys
ours, our_ms, theirs, their_ms = sys.argv[1], float(sys.argv[2]), sys.argv[3], float(sys.argv[4])
print(f"{ours:<28} {our_ms:9.2f} {1000/our_ms:8.1f}   {theirs:<11} {their_ms:9.2f} {1000/their_ms:8.1f}   {their_ms/our_ms:.2f}x")
PY
done
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'); ffmpeg $(ffmpeg -version | head -1 | cut -d' ' -f3)"
