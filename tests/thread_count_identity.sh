#!/usr/bin/env bash
# Frames must not depend on how many threads draw them. Three checks:
# 1. every golden line of every module (tests/golden/frames.sha256) rendered with
#    ZELKOR_THREADS=1, 3 and 7, and 2 on a machine of other than two cores (the default,
#    the machine's cores, is what the cross-build check already renders) must give the
#    table's frames;
# 2. larger frames, where rows split into many bands (odd sizes, rectangles, field mode),
#    each module's first two gallery lines rendered with 1 thread and with 3 and 7 must
#    agree byte for byte;
# 3. under Wine (when build/win32 has zelkor.exe), ZELKOR_THREADS=1 and 3 on the golden
#    lines of a few modules, the 3D ones among them.
# The renders of checks 1 and 2 are small and each pays zelkor's start, so they run a few
# at a time (ZELKOR_CHECK_JOBS, by default the cores and one more).
# ZELKOR_THREAD_COUNTS, ZELKOR_THREAD_WINE_MODULES override the choices; a module name as
# the argument checks that module alone.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
win=${ZELKOR_WIN32_BUILD:-build/win32}
golden=tests/golden/frames.sha256
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all
# Two threads are the cross-build check's own on a machine of two cores; elsewhere they are
# checked here as well.
default_counts="1 3 7"
[ "$(nproc)" -eq 2 ] || default_counts="1 2 3 7"
read -r -a counts <<< "${ZELKOR_THREAD_COUNTS:-$default_counts}"
read -r -a wine_modules <<< "${ZELKOR_THREAD_WINE_MODULES:-cuboids2 logo spiral}"
jobs_at_once=${ZELKOR_CHECK_JOBS:-$(($(nproc) + 1))}
only=${1:-}
fail=0
[ -x "$native/zelkor" ] || { echo "FAIL no zelkor in $native"; exit 1; }

for size in 33x17 160x90 401x301 367x211; do
  mkdir -p "$work/$size"
  "$native/zelkor" scenes --out-dir "$work/$size" --size "$size"
done

# render_hashes ZELKOR THREADS MODULE SIZE OPTS...: "HASH  FRAME" lines of one render, in a
# folder of its own (renders run side by side).
render_hashes() {
  local threads=$2 module=$3 size=$4 out
  local -a zelkor
  read -r -a zelkor <<< "$1"
  shift 4
  out=$(mktemp -d "$work/out.XXXXXX")
  ZELKOR_THREADS=$threads "${zelkor[@]}" render "$module" --from "$work/$size/scene_a.bmp" \
    --to "$work/$size/scene_b.bmp" "$@" --quiet --out "$out/%03d.bmp" || { rm -rf "$out"; return 1; }
  (cd "$out" && sha256sum -- *.bmp | sed 's/ \*/  /')
  rm -rf "$out"
}

# Tasks run in the background, at most jobs_at_once of them; each writes its FAIL lines to a
# file of its own, read once all have finished.
mkdir -p "$work/results"
tasks=0
spawn() {
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do wait -n || true; done
  tasks=$((tasks + 1))
  "$@" > "$work/results/$tasks" 2>&1 &
}
# finish OK_LINE: waits for every task and prints their FAIL lines, or OK_LINE.
finish() {
  wait
  local found
  found=$(cat "$work/results"/* 2> /dev/null || true)
  rm -f "$work/results"/*
  if [ -n "$found" ]; then
    echo "$found"
    fail=1
  else
    echo "$1"
  fi
}

# The golden groups (module|options|size) of the chosen modules, and each group's frames
# from the table in want/INDEX, in one pass over the table.
awk '{ split(substr($0, 67), p, "|"); print p[1] "|" p[2] "|" p[3] }' "$golden" | sort -u |
  awk -F'|' -v m="$only" 'm == "" || $1 == m' > "$work/groups"
mkdir -p "$work/want"
awk -v dir="$work/want" 'NR == FNR { index_of[$0] = FNR; next }
  { split(substr($0, 67), p, "|"); g = p[1] "|" p[2] "|" p[3]
    if ((g in index_of) && !seen[g, $1, p[4]]++) {
      f = dir "/" index_of[g]; print $1 "  " p[4] >> f; close(f) } }' "$work/groups" "$golden"

# golden_group LABEL ZELKOR THREADS INDEX GROUP: group GROUP (line INDEX of the list)
# against the table.
golden_group() {
  local label=$1 zelkor=$2 threads=$3 index=$4 module opts size got
  IFS='|' read -r module opts size <<< "$5"
  eval "words=($opts)"
  local -a progress=(--sequence 0,0.1,0.25,0.37,0.5,0.63,0.75,0.9,0.97,1)
  [[ "$opts" == *--frames* ]] && progress=()
  if ! got=$(render_hashes "$zelkor" "$threads" "$module" "$size" "${words[@]}" "${progress[@]}"); then
    echo "FAIL $label $module [$opts] $size: render failed"
  elif [ "$got" != "$(cat "$work/want/$index")" ]; then
    echo "FAIL $label $module [$opts] $size: frames differ from the golden table"
  fi
}

# check_golden LABEL ZELKOR THREADS MODULE...: the modules' golden lines.
check_golden() {
  local label=$1 zelkor=$2 threads=$3
  shift 3
  local module index
  for module in "$@"; do
    local lines=0
    while IFS=$'\t' read -r index group; do
      spawn golden_group "$label" "$zelkor" "$threads" "$index" "$group"
      lines=$((lines + 1))
    done < <(awk -F'|' -v m="$module" '$1 == m { print NR "\t" $0 }' "$work/groups")
    [ "$lines" -gt 0 ] || { echo "FAIL $label $module: no golden lines"; fail=1; }
  done
}

modules=()
for m in "$native"/modules/*.vfx; do
  name=$(basename "$m" .vfx)
  [ -z "$only" ] || [ "$name" = "$only" ] || continue
  modules+=("$name")
done

for n in "${counts[@]}"; do
  check_golden "native threads=$n" "$native/zelkor" "$n" "${modules[@]}"
done
finish "ok   native golden lines, ZELKOR_THREADS=${counts[*]}"

# larger_case MODULE SIZE OPTS...: one thread against the others on one larger case.
larger_case() {
  local name=$1 size=$2 one many n
  shift 2
  one=$(render_hashes "$native/zelkor" 1 "$name" "$size" "$@") || one=failed
  for n in "${counts[@]}"; do
    [ "$n" = 1 ] && continue
    many=$(render_hashes "$native/zelkor" "$n" "$name" "$size" "$@") || many="failed $n"
    if [ "$one" = failed ] || [ "$one" != "$many" ]; then
      echo "FAIL native $name [$*] $size: $n threads differ from one"
    fi
  done
}

# Larger frames: each module's first two gallery lines, one thread against several. The
# bands only need frames across the transition: five progress values, or a sequence of at
# most 16 frames for the effects that follow the step between frames.
cases=("401x301|" "367x211|--rect 9,4,250,191 --field" "401x301|--rect 17,11,297,203")
for name in "${modules[@]}"; do
  spec=effects/$name/gallery.txt
  lines=("")
  [ -f "$spec" ] && mapfile -t lines < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$' | sed 's/^[^|]*|//' | head -2)
  for case_row in "${cases[@]}"; do
    IFS='|' read -r size extra <<< "$case_row"
    for line in "${lines[@]}"; do
      opts=$(echo "$line" |
        sed -E 's/--rect [0-9,]*//; s/--field//; s/--frames (1[7-9]|[2-9][0-9]|[1-9][0-9]{2,})\b/--frames 16/')
      eval "words=($opts $extra)"
      progress=(--sequence 0,0.2,0.5,0.81,1)
      [[ "$opts" == *--frames* ]] && progress=()
      spawn larger_case "$name" "$size" "${words[@]}" "${progress[@]}"
    done
  done
done
finish "ok   native larger frames of ${modules[*]}"

if [ -f "$win/zelkor.exe" ]; then
  tools/wine-session.sh start > /dev/null
  # One Wine session: its renders go one at a time.
  jobs_at_once=1
  for n in 1 3; do
    picked=()
    for m in "${wine_modules[@]}"; do
      [ -z "$only" ] || [ "$m" = "$only" ] && picked+=("$m")
    done
    [ "${#picked[@]}" -gt 0 ] || continue
    check_golden "win32 threads=$n" "wine $win/zelkor.exe" "$n" "${picked[@]}"
    finish "ok   win32 golden lines of ${picked[*]}, ZELKOR_THREADS=$n"
  done
else
  echo "skip win32: no zelkor.exe in $win"
fi
exit $fail
