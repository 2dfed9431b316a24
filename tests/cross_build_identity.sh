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

# The renders, one line each: the module, the options, the size (separated by the unit
# separator, as options may be empty). Every build renders the whole list on its own, the
# builds side by side, each frame named after its line (JOB_NNN.bmp).
jobs=$work/jobs.txt
: > "$jobs"
checked=""
for name in $complete; do
  [ -z "$only" ] || [ "$name" = "$only" ] || continue
  checked="$checked $name"
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
      printf '%s\x1f%s\x1f%s\n' "$name" "$run_opts" "$size" >> "$jobs"
    done
  done
done

# render_share BUILD PART PARTS: renders every PARTS-th line of the job list, from line PART
# (counting from 0), with one build into $work/BUILD.
render_share() {
  local b=$1 part=$2 parts=$3 index=0 name run_opts size words progress
  while IFS=$'\x1f' read -r name run_opts size; do
    index=$((index + 1))
    [ $(((index - 1) % parts)) -eq "$part" ] || continue
    if [[ "$run_opts" == *"--frames"* ]]; then
      progress=()
    else
      progress=(--sequence 0,0.1,0.25,0.37,0.5,0.63,0.75,0.9,0.97,1)
    fi
    # Options may quote words ("--preset "big block""): split them as the shell would.
    eval "words=($run_opts)"
    if ! render "$b" "$name" --from "$work/$size/scene_a.bmp" --to "$work/$size/scene_b.bmp" \
      "${words[@]}" "${progress[@]}" --out "$work/$b/${index}_%03d.bmp" < /dev/null; then
      echo "FAIL $name [$run_opts] $size: $b render failed"
    fi
  done < "$jobs"
}
# render_all BUILD: the whole list with one build, then one line per frame: its hash and its
# key (module|options|size|NNN.bmp). A Windows process takes a while to start, so Wine renders
# in two streams.
render_all() {
  local b=$1 parts=1 part pids=()
  [ "$b" != win32 ] || parts=2
  mkdir -p "$work/$b"
  for ((part = 0; part < parts; part++)); do
    render_share "$b" $part $parts > "$work/render_${b}_$part.log" 2>&1 &
    pids+=($!)
  done
  wait "${pids[@]}"
  cat "$work/render_${b}"_*.log > "$work/render_$b.log"
  (cd "$work/$b" && find . -name '*.bmp' | sed 's|^\./||' | LC_ALL=C sort | xargs -r sha256sum) |
    awk -v jobs="$jobs" 'BEGIN { while ((getline line < jobs) > 0) { n++; split(line, f, "\037"); key[n] = f[1] "|" f[2] "|" f[3] } }
      { file = $2; split(file, p, "_"); print $1 "  " key[p[1]] "|" p[2] }' > "$work/hashes_$b.txt"
}
pids=()
for b in "${builds[@]}"; do
  render_all "$b" &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || fail=1; done
for b in "${builds[@]}"; do
  if grep -q . "$work/render_$b.log"; then
    grep "^FAIL" "$work/render_$b.log" || head -5 "$work/render_$b.log"
    fail=1
  fi
done

# Every build's frames against the GCC build's, frame by frame (by hash).
LC_ALL=C sort "$work/hashes_native.txt" > "$work/by_key_native.txt"
for b in "${builds[@]:1}"; do
  LC_ALL=C sort "$work/hashes_$b.txt" > "$work/by_key_$b.txt"
  while read -r key; do
    echo "FAIL frame differs or is missing ($b): $key"
    fail=1
  done < <(LC_ALL=C comm -3 "$work/by_key_native.txt" "$work/by_key_$b.txt" | sed 's/^\t//; s/^[0-9a-f]*  //' | LC_ALL=C sort -u)
done
# Every job gave frames.
while IFS=$'\x1f' read -r name run_opts size; do
  grep -qF "  $name|$run_opts|$size|" "$work/hashes_native.txt" ||
    { echo "FAIL $name [$run_opts] $size: no frames"; fail=1; }
done < "$jobs"
for name in $checked; do echo "ok   $name"; done

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
