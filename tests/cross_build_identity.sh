#!/usr/bin/env bash
# Renders every module's gallery choices with three builds of the same tree: the native zelkor
# built by GCC, the native zelkor built by clang, and zelkor.exe (mingw-w64, i686) under Wine,
# on several frame sizes and progress values, and compares the files byte for byte. A frame
# is only trusted when unrelated compilers agree on it. Also compares what each module says
# of itself (the Windows side in a Chinese locale), and checks every build's frames against
# the committed golden table tests/golden/frames.sha256: every frame of the table must come
# out the same, and every frame rendered must be in the table (ZELKOR_GOLDEN_RECORD=1 writes
# the table anew instead: only after a deliberate change; with a module name only that
# module's lines are replaced).
# The builds compared: build/native, build/clang and build/win32, or ZELKOR_NATIVE_BUILD,
# ZELKOR_CLANG_BUILD and ZELKOR_WIN32_BUILD; ZELKOR_BUILDS="native clang" leaves Wine out
# (a quick look while working; the full check needs all three).
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
clang=${ZELKOR_CLANG_BUILD:-build/clang}
win=${ZELKOR_WIN32_BUILD:-build/win32}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all

fail=0
golden=tests/golden/frames.sha256
record=${ZELKOR_GOLDEN_RECORD:-0}
only=${1:-}
read -r -a builds <<< "${ZELKOR_BUILDS:-native clang win32}"
for b in "${builds[@]}"; do : > "$work/hashes_$b.txt"; done

modules_of() {
  case "$1" in
    native) echo "$native/modules" ;;
    clang) echo "$clang/modules" ;;
    win32) echo "$win/modules" ;;
  esac
}

# render BUILD EFFECT ARGS...: one build's zelkor, its frames named BUILD_NNN.bmp.
render() {
  local build=$1
  shift
  case "$build" in
    native) "$native/zelkor" render "$@" ;;
    clang) "$clang/zelkor" render "$@" ;;
    win32) wine "$win/zelkor.exe" render "$@" ;;
  esac
}

[ "${builds[0]:-}" = native ] || { echo "FAIL the native build must come first"; exit 1; }
for b in "${builds[@]}"; do
  case "$b" in
    native) [ -x "$native/zelkor" ] || { echo "FAIL no zelkor in $native"; exit 1; } ;;
    clang) [ -x "$clang/zelkor" ] || { echo "FAIL no zelkor in $clang"; exit 1; } ;;
    win32) [ -f "$win/zelkor.exe" ] || { echo "FAIL no zelkor.exe in $win"; exit 1; } ;;
    *) echo "FAIL unknown build $b"; exit 1 ;;
  esac
done

sizes=(33x17 160x90)
for size in "${sizes[@]}"; do
  mkdir -p "$work/$size"
  $native/zelkor scenes --out-dir "$work/$size" --size "$size"
done

# Every module of any build must be in all of them.
modules=$(for b in "${builds[@]}"; do
  ls "$(modules_of "$b")" 2>/dev/null | sed -n 's/\.vfx$//p'
done | sort -u)
[ -n "$modules" ] || { echo "FAIL no modules built"; exit 1; }
complete=""
for name in $modules; do
  here=1
  for b in "${builds[@]}"; do
    if [ ! -f "$(modules_of "$b")/$name.vfx" ]; then
      echo "FAIL $name: no module in $(modules_of "$b")"
      fail=1
      here=0
    fi
  done
  [ "$here" = 0 ] || complete="$complete $name"
done

for name in $complete; do
  [ -z "$only" ] || [ "$name" = "$only" ] || continue
  # Description records.
  for b in "${builds[@]}"; do
    case "$b" in
      native) $native/zelkor info "$name" ;;
      clang) $clang/zelkor info "$name" ;;
      win32) LC_ALL=zh_CN.UTF-8 wine "$win/zelkor.exe" info "$name" | tr -d '\r' ;;
    esac | grep -v '^module ' > "$work/info_$b.txt"
  done
  for b in "${builds[@]:1}"; do
    if ! cmp -s "$work/info_native.txt" "$work/info_$b.txt"; then
      echo "FAIL $name: zelkor info differs ($b)"
      diff "$work/info_native.txt" "$work/info_$b.txt" | head -5
      fail=1
    fi
  done
  spec=effects/$name/gallery.txt
  if [ -f "$spec" ]; then
    mapfile -t strips < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$' | sed 's/^[^|]*|//')
  else
    strips=("")
  fi
  strips+=("--field --rect 3,2,20,11")
  for opts in "${strips[@]}"; do
    for size in "${sizes[@]}"; do
      # Rectangles are made for the larger frame; the smaller one renders whole frames.
      run_opts=$opts
      if [ "$size" = "33x17" ] && [[ "$opts" == *"--rect"* ]]; then
        run_opts=$(echo "$opts" | sed 's/--rect [0-9,]*//')
      fi
      if [[ "$run_opts" == *"--frames"* ]]; then
        progress=()
      else
        progress=(--sequence 0,0.1,0.25,0.37,0.5,0.63,0.75,0.9,0.97,1)
      fi
      rm -f "$work"/native_*.bmp "$work"/clang_*.bmp "$work"/win32_*.bmp
      # Options may quote words ("--preset "big block""): split them as the shell would.
      eval "words=($run_opts)"
      for b in "${builds[@]}"; do
        if ! render "$b" "$name" --from "$work/$size/scene_a.bmp" --to "$work/$size/scene_b.bmp" \
          "${words[@]}" "${progress[@]}" --out "$work/${b}_%03d.bmp"; then
          echo "FAIL $name [$run_opts] $size: $b render failed"
          fail=1
        fi
      done
      count=0
      for n in "$work"/native_*.bmp; do
        [ -e "$n" ] || continue
        frame=${n##*/native_}
        count=$((count + 1))
        key="$name|$run_opts|$size|$frame"
        for b in "${builds[@]}"; do
          f="$work/${b}_$frame"
          [ -e "$f" ] && echo "$(sha256sum < "$f" | cut -d' ' -f1)  $key" >> "$work/hashes_$b.txt"
          if ! cmp -s "$n" "$f"; then
            echo "FAIL $name [$run_opts] $size: frame $frame differs ($b)"
            fail=1
          fi
        done
      done
      [ "$count" -gt 0 ] || { echo "FAIL $name [$run_opts]: no frames"; fail=1; }
    done
  done
  echo "ok   $name"
done

if [ "$record" = 1 ]; then
  mkdir -p "$(dirname "$golden")"
  kept="$work/kept.txt"
  : > "$kept"
  if [ -n "$only" ] && [ -f "$golden" ]; then
    # Only the named module is recorded again; the other modules' lines stay.
    awk -v m="$only" '{ split($2, k, "|"); if (k[1] != m) print }' "$golden" > "$kept"
  fi
  cat "$kept" "$work/hashes_native.txt" | sort -k2 > "$golden"
  echo "recorded $(wc -l < "$golden") golden frames in $golden"
  exit $fail
fi

if [ ! -s "$golden" ]; then
  echo "FAIL no golden table $golden (record one with ZELKOR_GOLDEN_RECORD=1)"
  exit 1
fi
# The table's lines for the modules checked here, against each build's frames: a frame of the
# table that came out differently or not at all, and a frame rendered but not in the table,
# both fail.
expected="$work/expected.txt"
awk -v m="$only" '{ split($2, k, "|"); if (m == "" || k[1] == m) print }' "$golden" | LC_ALL=C sort > "$expected"
[ -s "$expected" ] || { echo "FAIL no golden frames for ${only:-any module}"; fail=1; }
for b in "${builds[@]}"; do
  LC_ALL=C sort "$work/hashes_$b.txt" > "$work/got_$b.txt"
  while read -r line; do
    echo "FAIL golden frame changed or missing ($b): ${line#*  }"
    fail=1
  done < <(LC_ALL=C comm -23 "$expected" "$work/got_$b.txt")
  while read -r line; do
    echo "FAIL frame not in the golden table ($b): ${line#*  }"
    fail=1
  done < <(LC_ALL=C comm -13 "$expected" "$work/got_$b.txt")
done
echo "golden frames checked against $golden ($(wc -l < "$expected") frames, builds: ${builds[*]})"
exit $fail
