#!/usr/bin/env bash
# Frames must not depend on how many threads draw them. Three checks:
# 1. every golden line of every module (tests/golden/frames.sha256) rendered with
#    ZELKOR_THREADS=1, 3 and 7 (the default, the machine's cores, is what the cross-build
#    check already renders) must give the table's frames;
# 2. larger frames, where rows split into many bands (odd sizes, rectangles, field mode),
#    each module's first two gallery lines rendered with 1 thread and with 3 and 7 must
#    agree byte for byte;
# 3. under Wine (when build/win32 has zelkor.exe), ZELKOR_THREADS=1 and 3 on the golden
#    lines of a few modules, the 3D ones among them.
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
read -r -a counts <<< "${ZELKOR_THREAD_COUNTS:-1 3 7}"
read -r -a wine_modules <<< "${ZELKOR_THREAD_WINE_MODULES:-cuboids2 logo spiral}"
only=${1:-}
fail=0
[ -x "$native/zelkor" ] || { echo "FAIL no zelkor in $native"; exit 1; }

for size in 33x17 160x90 401x301 367x211; do
  mkdir -p "$work/$size"
  "$native/zelkor" scenes --out-dir "$work/$size" --size "$size"
done

# render_hashes ZELKOR THREADS MODULE SIZE OPTS...: "HASH  FRAME" lines of one render.
render_hashes() {
  local threads=$2 module=$3 size=$4 out="$work/out"
  local -a zelkor
  read -r -a zelkor <<< "$1"
  shift 4
  rm -rf "$out"
  mkdir -p "$out"
  ZELKOR_THREADS=$threads "${zelkor[@]}" render "$module" --from "$work/$size/scene_a.bmp" \
    --to "$work/$size/scene_b.bmp" "$@" --quiet --out "$out/%03d.bmp" || return 1
  (cd "$out" && sha256sum -- *.bmp | sed 's/ \*/  /')
}

# check_golden LABEL ZELKOR THREADS MODULE...: the modules' golden lines.
check_golden() {
  local label=$1 zelkor=$2 threads=$3
  shift 3
  local module
  for module in "$@"; do
    local lines=0
    while IFS= read -r group; do
      IFS='|' read -r _ opts size <<< "$group"
      eval "words=($opts)"
      local -a progress=(--sequence 0,0.1,0.25,0.37,0.5,0.63,0.75,0.9,0.97,1)
      [[ "$opts" == *--frames* ]] && progress=()
      local got
      if ! got=$(render_hashes "$zelkor" "$threads" "$module" "$size" "${words[@]}" "${progress[@]}"); then
        echo "FAIL $label $module [$opts] $size: render failed"
        fail=1
        continue
      fi
      local want
      want=$(awk -v g="$group" '{ split(substr($0, 67), p, "|");
               if (p[1] "|" p[2] "|" p[3] == g && !seen[$1 p[4]]++) print $1 "  " p[4] }' "$golden")
      if [ "$got" != "$want" ]; then
        echo "FAIL $label $module [$opts] $size: frames differ from the golden table"
        fail=1
      fi
      lines=$((lines + 1))
    done < <(awk '{ split(substr($0, 67), p, "|"); if (p[1] == m) print p[1] "|" p[2] "|" p[3] }' \
               m="$module" "$golden" | sort -u)
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
  echo "ok   native golden lines, ZELKOR_THREADS=$n"
done

# Larger frames: each module's first two gallery lines, one thread against several.
cases=("401x301|" "367x211|--rect 9,4,250,191 --field" "401x301|--rect 17,11,297,203")
for name in "${modules[@]}"; do
  spec=effects/$name/gallery.txt
  lines=("")
  [ -f "$spec" ] && mapfile -t lines < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$' | sed 's/^[^|]*|//' | head -2)
  for case_row in "${cases[@]}"; do
    IFS='|' read -r size extra <<< "$case_row"
    for line in "${lines[@]}"; do
      opts=$(echo "$line" | sed 's/--rect [0-9,]*//; s/--field//')
      eval "words=($opts $extra)"
      progress=(--sequence 0,0.2,0.37,0.5,0.63,0.81,1)
      [[ "$opts" == *--frames* ]] && progress=()
      one=$(render_hashes "$native/zelkor" 1 "$name" "$size" "${words[@]}" "${progress[@]}") || one=failed
      for n in "${counts[@]}"; do
        [ "$n" = 1 ] && continue
        many=$(render_hashes "$native/zelkor" "$n" "$name" "$size" "${words[@]}" "${progress[@]}") ||
          many="failed $n"
        if [ "$one" = failed ] || [ "$one" != "$many" ]; then
          echo "FAIL native $name [$opts $extra] $size: $n threads differ from one"
          fail=1
        fi
      done
    done
  done
  echo "ok   native $name larger frames"
done

if [ -f "$win/zelkor.exe" ]; then
  tools/wine-session.sh start > /dev/null
  for n in 1 3; do
    picked=()
    for m in "${wine_modules[@]}"; do
      [ -z "$only" ] || [ "$m" = "$only" ] && picked+=("$m")
    done
    [ "${#picked[@]}" -eq 0 ] || check_golden "win32 threads=$n" "wine $win/zelkor.exe" "$n" "${picked[@]}"
    echo "ok   win32 golden lines of ${picked[*]}, ZELKOR_THREADS=$n"
  done
else
  echo "skip win32: no zelkor.exe in $win"
fi
exit $fail
