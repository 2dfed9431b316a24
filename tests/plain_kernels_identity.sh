#!/usr/bin/env bash
# Renders every module's gallery choices twice, once as shipped (the widest kernels the
# processor runs: AVX2 where it has it) and once with ZELKOR_PLAIN_KERNELS=1 (every fast
# kernel replaced by its plain twin), and on a processor with AVX2 a third time with
# ZELKOR_KERNELS=sse2 (the SSE2 forms every build has), and compares the frames byte for byte: the sample scenes and pictures of noise (dark against bright, both
# ways round), sizes from one pixel to a few hundred, odd and even, rectangles away from
# the origin, field mode, and progress values on both sides of every phase boundary.
# Builds: ZELKOR_BUILDS (default "native win32"; win32 runs zelkor.exe under Wine and is
# skipped when not built). Cases: ZELKOR_PLAIN_CASES for native, ZELKOR_PLAIN_WIN32_CASES
# under Wine (fewer by default, as each run there starts a Windows process). A module name
# as the argument checks that module alone.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
win=${ZELKOR_WIN32_BUILD:-build/win32}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all

# The cases: SIZE|CHOICES|SCENES|LINES. CHOICES are the rectangle and field choices the case
# adds ("-" for none; "_" stands for a space); a gallery line's own rectangle is kept only at
# 160x90 where the case brings none. SCENES: sample (the built-in scenes), dark (noise, dark
# to bright) or bright (bright to dark). LINES: how many of the module's gallery lines, from
# the first ("all" for every one).
all_cases="33x17|-|sample|all 101x37|-|dark|all 160x90|--rect_3,2,97,71_--field|bright|all
1x1|-|dark|2 2x2|-|bright|2 3x5|--field|dark|2 161x91|--field|bright|2
160x90|--rect_13,7,121,61|dark|2 64x300|--rect_5,9,17,250|bright|2
401x301|-|bright|2 330x250|--rect_17,11,297,203|sample|2
330x250|--rect_9,4,250,231_--field|bright|2"
# The SSE2 forms (on a processor with AVX2) are compared in fewer cases: they differ from the
# AVX2 ones only in how many pixels a kernel takes at once, which odd widths and rectangles
# away from the origin exercise.
sse2_cases="33x17|-|sample|all 160x90|--rect_3,2,97,71_--field|bright|all 3x5|--field|dark|2
401x301|-|bright|2 330x250|--rect_17,11,297,203|sample|2"
read -r -a native_cases <<< "$(echo ${ZELKOR_PLAIN_CASES:-$all_cases})"
read -r -a win32_cases <<< "$(echo ${ZELKOR_PLAIN_WIN32_CASES:-160x90|--rect_3,2,97,71_--field|bright|all})"
progress=0,0.03,0.05,0.1,0.19,0.2,0.25,0.3,0.37,0.4,0.5,0.6,0.62,0.7,0.75,0.8,0.8001,0.81,0.9,0.95,0.99,1

# noise_bmp W H SEED BRIGHT OUT: a 24-bit BMP of blocks of 4 x 3 pixels of one random colour
# with a little noise on top (so bright and dark areas both occur), lifted into 128..255
# when BRIGHT is 1.
noise_bmp() {
  LC_ALL=C awk -v w="$1" -v h="$2" -v seed="$3" -v bright="$4" '
    function next_random() { seed = (seed * 1664525 + 1013904223) % 4294967296; return int(seed / 256) }
    function le(v, n,   i) { for (i = 0; i < n; ++i) { printf "%c", v % 256; v = int(v / 256) } }
    BEGIN {
      pad = (4 - (3 * w) % 4) % 4
      size = (3 * w + pad) * h
      printf "BM"; le(54 + size, 4); le(0, 4); le(54, 4)
      le(40, 4); le(w, 4); le(h, 4); le(1, 2); le(24, 2); le(0, 4); le(size, 4)
      le(2835, 4); le(2835, 4); le(0, 4); le(0, 4)
      for (i = 0; i < (int(w / 4) + 1) * (int(h / 3) + 1) * 3; ++i) base[i] = next_random() % 256
      for (y = 0; y < h; ++y) {
        for (x = 0; x < w; ++x) {
          for (k = 0; k < 3; ++k) {
            v = base[(int(y / 3) * (int(w / 4) + 1) + int(x / 4)) * 3 + k] + next_random() % 9 - 4
            v = v < 0 ? 0 : (v > 255 ? 255 : v)
            if (bright == 1) v = 128 + int(v / 2)
            printf "%c", v
          }
        }
        for (k = 0; k < pad; ++k) printf "%c", 0
      }
    }' > "$5"
}

# scene_pair SIZE SCENES: the "FROM TO" files of a case, made on first use.
scene_pair() {
  local dir="$work/scenes/$1"
  if [ ! -d "$dir" ]; then
    mkdir -p "$dir"
    "$native/zelkor" scenes --out-dir "$dir" --size "$1"
    noise_bmp "${1%x*}" "${1#*x}" 7 0 "$dir/dark.bmp"
    noise_bmp "${1%x*}" "${1#*x}" 8 1 "$dir/bright.bmp"
  fi
  case "$2" in
    sample) echo "$dir/scene_a.bmp $dir/scene_b.bmp" ;;
    dark) echo "$dir/dark.bmp $dir/bright.bmp" ;;
    bright) echo "$dir/bright.bmp $dir/dark.bmp" ;;
  esac
}

# Renders run a few at a time (ZELKOR_CHECK_JOBS, by default the cores and one more): most of a
# small render is the process starting.
jobs_at_once=${ZELKOR_CHECK_JOBS:-$(($(nproc) + 1))}

# compare TASK LABEL SSE2 MODULE RENDER_OPTIONS...: renders as shipped and with each form in
# folders of TASK's own, and writes COMPARED, SSE2 and FAIL lines to tasks/TASK.out.
compare() {
  local task=$1 label=$2 sse2=$3 form switch
  shift 3
  local dir="$work/tasks/$task"
  mkdir -p "$dir/fast"
  {
    if ! "${zelkor[@]}" render "$@" --quiet --out "$dir/fast/%03d.bmp" || [ -z "$(ls "$dir/fast")" ]; then
      echo "FAIL $label: render failed"
    else
      echo COMPARED
      for form in "${forms[@]}"; do
        if [ "$form" = sse2 ]; then
          [ "$sse2" = 1 ] || continue
          echo SSE2
        fi
        mkdir -p "$dir/$form"
        switch=ZELKOR_KERNELS=$form
        [ "$form" = plain ] && switch=ZELKOR_PLAIN_KERNELS=1
        if ! env "$switch" "${zelkor[@]}" render "$@" --quiet --out "$dir/$form/%03d.bmp"; then
          echo "FAIL $label: $form render failed"
        elif ! diff -rq "$dir/fast" "$dir/$form" > /dev/null; then
          echo "FAIL $label: $form kernels differ"
        fi
      done
    fi
  } > "$work/tasks/$task.out" 2>&1
  rm -rf "$dir"
}

fail=0
only=${1:-}
# Wine hands the host processor's features through, so the check holds for both builds.
forms=(plain)
grep -qw avx2 /proc/cpuinfo 2>/dev/null && forms+=(sse2)
read -r -a builds <<< "${ZELKOR_BUILDS:-native win32}"
for build in "${builds[@]}"; do
  case "$build" in
    native) [ -x "$native/zelkor" ] || { echo "FAIL no zelkor in $native"; exit 1; } ;;
    win32) [ -f "$win/zelkor.exe" ] || { echo "skip win32: no zelkor.exe in $win"; continue; } ;;
    *) echo "FAIL unknown build $build"; exit 1 ;;
  esac
  if [ "$build" = native ]; then
    zelkor=("$native/zelkor")
    cases=("${native_cases[@]}")
  else
    zelkor=(wine "$win/zelkor.exe")
    cases=("${win32_cases[@]}")
  fi
  compared=0
  sse2_compared=0
  for module in "$native"/modules/*.vfx; do
    name=$(basename "$module" .vfx)
    [ -z "$only" ] || [ "$name" = "$only" ] || continue
    spec=effects/$name/gallery.txt
    lines=("")
    [ -f "$spec" ] && mapfile -t lines < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$' | sed 's/^[^|]*|//')
    rm -rf "$work/tasks"
    mkdir -p "$work/tasks"
    task=0
    for case_row in "${cases[@]}"; do
      IFS='|' read -r size extra which count <<< "$case_row"
      extra=${extra//_/ }
      [ "$extra" = - ] && extra=""
      [ "$count" = all ] && count=${#lines[@]}
      read -r from to <<< "$(scene_pair "$size" "$which")"
      sse2=0
      [[ " $(echo $sse2_cases) " == *" $case_row "* ]] && sse2=1
      for line in "${lines[@]:0:$count}"; do
        opts=$line
        if [ "$size" != 160x90 ] || [[ "$extra" == *--rect* ]]; then
          opts=$(echo "$opts" | sed 's/--rect [0-9,]*//')
        fi
        [[ "$extra" == *--field* ]] && opts=$(echo "$opts" | sed 's/--field//')
        # Options may quote words ("--preset "big block""): split them as the shell would.
        eval "words=($opts $extra)"
        sequence=(--sequence "$progress")
        [[ "$opts" == *--frames* ]] && sequence=()
        while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do wait -n || true; done
        task=$((task + 1))
        compare "$task" "$build $name [$opts $extra] $size $which" "$sse2" "$name" \
          --from "$from" --to "$to" "${words[@]}" "${sequence[@]}" &
      done
    done
    wait
    compared=$((compared + $(cat "$work"/tasks/*.out 2> /dev/null | grep -c '^COMPARED$' || true)))
    sse2_compared=$((sse2_compared + $(cat "$work"/tasks/*.out 2> /dev/null | grep -c '^SSE2$' || true)))
    failures=$(cat "$work"/tasks/*.out 2> /dev/null | grep '^FAIL' || true)
    if [ -n "$failures" ]; then
      echo "$failures"
      fail=1
    else
      echo "ok   $build $name"
    fi
  done
  echo "$build: $compared renders compared with their plain twins, $sse2_compared with their SSE2 twins"
done
exit $fail
