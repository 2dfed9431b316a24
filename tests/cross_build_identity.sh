#!/usr/bin/env bash
# Renders every module's gallery choices with the native zelkor and with zelkor.exe under
# Wine, on several frame sizes and progress values, and compares the files byte for byte.
# Also compares what each module says of itself (the Windows side in a Chinese locale), and
# checks every frame's SHA-256 against the committed golden table tests/golden/frames.sha256
# (ZELKOR_GOLDEN_RECORD=1 writes the table anew instead: only after a deliberate change; with
# a module name only that module's lines are replaced). The Windows frames are checked against
# the table on their own as well, not only through the comparison with the native ones.
# The builds compared: build/native and build/win32, or ZELKOR_NATIVE_BUILD and
# ZELKOR_WIN32_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
win=${ZELKOR_WIN32_BUILD:-build/win32}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all

fail=0
golden=tests/golden/frames.sha256
record=${ZELKOR_GOLDEN_RECORD:-0}
hashes="$work/hashes.txt"
win_hashes="$work/win_hashes.txt"
: > "$hashes"
: > "$win_hashes"
sizes=(33x17 160x90)
for size in "${sizes[@]}"; do
  mkdir -p "$work/$size"
  $native/zelkor scenes --out-dir "$work/$size" --size "$size"
done

for module in "$native"/modules/${1:-*}.vfx; do
  name=$(basename "$module" .vfx)
  if [ ! -f "$win/modules/$name.vfx" ]; then
    echo "FAIL $name: no Windows module"
    fail=1
    continue
  fi
  # Description records.
  $native/zelkor info "$name" | grep -v '^module ' > "$work/info_native.txt"
  LC_ALL=zh_CN.UTF-8 wine "$win/zelkor.exe" info "$name" | tr -d '\r' | grep -v '^module ' > "$work/info_win.txt"
  if ! cmp -s "$work/info_native.txt" "$work/info_win.txt"; then
    echo "FAIL $name: zelkor info differs"
    diff "$work/info_native.txt" "$work/info_win.txt" | head -5
    fail=1
  fi
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
        progress=""
      else
        progress="--sequence 0,0.1,0.25,0.37,0.5,0.63,0.75,0.9,0.97,1"
      fi
      rm -f "$work"/n_*.bmp "$work"/w_*.bmp
      # shellcheck disable=SC2086
      # Options may quote words ("--preset "big block""): split them as the shell would.
      eval "words=($run_opts)"
      if ! $native/zelkor render "$name" --from "$work/$size/scene_a.bmp" --to "$work/$size/scene_b.bmp" \
        "${words[@]}" $progress --out "$work/n_%03d.bmp"; then
        echo "FAIL $name [$run_opts] $size: native render failed"
        fail=1
      fi
      # shellcheck disable=SC2086
      if ! wine "$win/zelkor.exe" render "$name" --from "$work/$size/scene_a.bmp" --to "$work/$size/scene_b.bmp" \
        "${words[@]}" $progress --out "$work/w_%03d.bmp"; then
        echo "FAIL $name [$run_opts] $size: Windows render failed"
        fail=1
      fi
      count=0
      for n in "$work"/n_*.bmp; do
        [ -e "$n" ] || continue
        w="$work/w_${n##*/n_}"
        count=$((count + 1))
        key="$name|$run_opts|$size|${n##*/n_}"
        echo "$(sha256sum < "$n" | cut -d' ' -f1)  $key" >> "$hashes"
        [ -e "$w" ] && echo "$(sha256sum < "$w" | cut -d' ' -f1)  $key" >> "$win_hashes"
        if ! cmp -s "$n" "$w"; then
          echo "FAIL $name [$run_opts] $size: frame ${n##*/n_} differs"
          fail=1
        fi
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
  if [ -n "${1:-}" ] && [ -f "$golden" ]; then
    # Only the named module is recorded again; the other modules' lines stay.
    awk -v m="$1" '{ split($2, k, "|"); if (k[1] != m) print }' "$golden" > "$kept"
  fi
  cat "$kept" "$hashes" | sort -k2 > "$golden"
  echo "recorded $(wc -l < "$golden") golden frames in $golden"
elif [ -f "$golden" ]; then
  # Every recorded frame of a module that was rendered must come out the same, in both builds.
  missing=0
  while read -r hash key; do
    module=${key%%|*}
    [ -f "$native/modules/$module.vfx" ] || continue
    if [ -n "${1:-}" ] && [ "$module" != "$1" ]; then continue; fi
    for table in "$hashes" "$win_hashes"; do
      if ! grep -qF "$hash  $key" "$table"; then
        [ "$table" = "$hashes" ] && build_name=native || build_name=Windows
        echo "FAIL golden frame changed or missing ($build_name): $key"
        missing=$((missing + 1))
      fi
    done
  done < "$golden"
  [ "$missing" -eq 0 ] || fail=1
  echo "golden frames checked against $golden"
fi
exit $fail
