#!/usr/bin/env bash
# Runs every transition as GStreamer's frei0r element: gst-inspect-1.0 must list it with the
# properties its module announces, gst-launch-1.0 must mix two pictures into the same pixels
# as zelkor render, and tools/gst-join.py must give the frames of zelkor render --sequence for
# the effects that carry state from frame to frame. A name or pattern as argument picks modules.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
zelkor=$native/zelkor
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export FREI0R_PATH=$PWD/$native/frei0r-1
W=64
H=36
PROGRESS=(0 0.3 0.65 1)
# One setting away from its default per module with settings: switches, choices and
# integers land exactly on a 0..1 double, unlike most fractions of a float range.
declare -A SETTING=(
  [airport]="tilesacross=0.25|--set tilesAcross=7"
  [bloom]="bloommode=0.5|--set bloomMode=2"
  [chars]="applyglow=true|--set applyGlow=1"
  [cuboids2]="outline=true|--set outline=1"
  [firestorm]="visiblehotspots=true|--set visibleHotSpots=1"
  [logo]="afg-dissolve=true|--set aFg.dissolve=1"
  [marbles]="viewertosurface=true|--set viewerToSurface=1"
  [rays]="lightx=0.25|--set lightX=25"
  [twister]="benddegrees=1|--set bendDegrees=540"
)
STATEFUL=(dream chars airport firestorm)

$zelkor scenes --out-dir "$work" --size ${W}x${H} >/dev/null
for s in a b; do
  $zelkor render crossfade --from "$work/scene_$s.bmp" --to "$work/scene_$s.bmp" \
    --progress 0 --out "$work/$s.png"
done

# PNG frames (a printf pattern) to one file of raw RGBA, the element's own format.
to_rgba() {
  gst-launch-1.0 -q multifilesrc location="$1" caps=image/png ! pngdec ! videoconvert ! \
    video/x-raw,format=RGBA ! filesink location="$2"
}

# The module's default host words, given to zelkor explicitly: the element's defaults.
host_words() {
  echo "--variant $(sed -n 's/^variantDefault *//p' "$1") --extra $(sed -n 's/^extraDefault *//p' "$1")"
}

# Names GStreamer gives a module's parameters: lower case, other signs as '-', colours in
# three channels; then the element's own name and parent.
expected_properties() {
  local info=$1 mask bit
  {
    echo progress
    echo field
    echo name
    echo parent
    sed -n '/^field /,/^$/{/^field /d;/^$/d;p}' "$info" | while read -r field _ type _; do
      field=$(echo "$field" | tr '[:upper:]' '[:lower:]' | sed 's/[^a-z0-9+-]/-/g')
      if [ "$type" = colour ]; then printf '%s\n' "$field-r" "$field-g" "$field-b"; else echo "$field"; fi
    done
    if grep -q '^presets:' "$info"; then echo preset; fi
    mask=$(($(sed -n 's/^variantMask *//p' "$info")))
    for ((bit = 1; bit <= 0x40000000; bit <<= 1)); do
      if ((mask & bit)); then printf 'variant0x%X\n' $bit; fi
    done
    mask=$(($(sed -n 's/^extraMask *//p' "$info")))
    for ((bit = 1; bit <= 0x40000000; bit <<= 1)); do
      if ((mask & bit & ~0x308)); then printf 'extra0x%X\n' $bit; fi
    done
    if ((mask & 0x8)); then printf '%s\n' color-r color-g color-b; fi
    # A word's named choices as one more property, where its bits are offered.
    if ((mask & ~0x308)) && grep -q '^  --extra ' "$info"; then echo extra; fi
    mask=$(($(sed -n 's/^variantMask *//p' "$info")))
    if ((mask)) && grep -q '^  --variant ' "$info"; then echo variant; fi
  } | sort
}

# Mixes a.png and b.png at each progress value through gst-launch-1.0 and compares the
# frames with zelkor render at the same values; the element's properties come after NAME.
compare_pictures() {
  local name=$1 zopts=$2 label=$3
  shift 3
  local info=$work/$name.info k=0 p
  rm -f "$work"/g_*.rgba "$work"/z_*.png
  for p in "${PROGRESS[@]}"; do
    gst-launch-1.0 -q filesrc location="$work/a.png" ! pngdec ! videoconvert ! m.sink_0 \
      filesrc location="$work/b.png" ! pngdec ! videoconvert ! m.sink_1 \
      "frei0r-mixer-zelkor-$name" name=m progress="$p" "$@" ! \
      filesink location="$(printf '%s/g_%03d.rgba' "$work" $k)" 2>"$work/gst.log" ||
      { echo "  gst-launch-1.0 failed at progress $p:"; tail -1 "$work/gst.log"; }
    # shellcheck disable=SC2046,SC2086
    $zelkor render "$name" --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" --progress "$p" \
      $(host_words "$info") $zopts --out "$(printf '%s/z_%03d.png' "$work" $k)"
    k=$((k + 1))
  done
  cat "$work"/g_*.rgba >"$work/g.rgba" 2>/dev/null || true
  to_rgba "$work/z_%03d.png" "$work/z.rgba"
  same_frames "$work/g.rgba" "$work/z.rgba" "$name $label" "progress ${PROGRESS[*]}"
}

# Compares two files of RGBA frames and names the first frame that differs.
same_frames() {
  local diff at
  if diff=$(cmp "$1" "$2" 2>&1); then return 0; fi
  at=$(echo "$diff" | sed -n 's/.*differ: byte \([0-9]*\).*/\1/p')
  if [ -n "$at" ]; then
    echo "FAIL $3: frame $(((at - 1) / (W * H * 4))) of $4 differs"
  else
    echo "FAIL $3: $diff"
  fi
  fail=1
  return 1
}

fail=0
seen=0
for plugin in "$FREI0R_PATH"/zelkor_${1:-*}.so; do
  name=$(basename "$plugin" .so)
  name=${name#zelkor_}
  seen=$((seen + 1))
  ok=1
  $zelkor info "$name" >"$work/$name.info"
  if ! gst-inspect-1.0 "frei0r-mixer-zelkor-$name" >"$work/inspect.txt" 2>&1; then
    echo "FAIL $name: gst-inspect-1.0 does not know frei0r-mixer-zelkor-$name"
    fail=1
    continue
  fi
  sed -n '/^Element Properties:/,$s/^  \([a-z][a-z0-9+-]*\) *:.*/\1/p' "$work/inspect.txt" | sort >"$work/got.txt"
  if ! diff <(expected_properties "$work/$name.info") "$work/got.txt" >"$work/props.diff"; then
    echo "FAIL $name: properties differ (< expected, > listed):"
    grep '^[<>]' "$work/props.diff" | sed 's/^/  /'
    fail=1
    ok=0
  fi
  compare_pictures "$name" "" defaults || ok=0
  if [ -n "${SETTING[$name]:-}" ]; then
    read -ra props <<<"${SETTING[$name]%%|*}"
    compare_pictures "$name" "${SETTING[$name]#*|}" "${props[*]}" "${props[@]}" || ok=0
  fi
  if [ $ok = 1 ]; then echo "ok   $name"; fi
done
if [ $# -eq 0 ] && [ "$seen" -ne 20 ]; then
  echo "FAIL: $seen frei0r plug-ins in $FREI0R_PATH, expected 20"
  fail=1
fi

# Clips of still frames, joined over 12 of their 16 frames: the transition frames must be
# zelkor's frames of the same sequence, and the frames outside it the pictures themselves.
for s in a b; do
  gst-launch-1.0 -q filesrc location="$work/$s.png" ! pngdec ! imagefreeze num-buffers=16 ! \
    video/x-raw,framerate=25/1 ! videoconvert ! video/x-raw,format=BGRx ! avenc_ffv1 ! \
    matroskamux ! filesink location="$work/$s.mkv"
done
N=12
sequence=$(awk -v n=$N 'BEGIN { for (i = 0; i < n; i++) printf "%s%.17g", (i ? "," : ""), i / (n - 1) }')
for name in "${STATEFUL[@]}"; do
  # shellcheck disable=SC2053  # the name given may be a pattern
  [[ "$name" == ${1:-*} ]] || continue
  rm -rf "$work/join" "$work/mix" "$work/zseq" && mkdir "$work/join" "$work/mix" "$work/zseq"
  info=$work/$name.info
  if ! tools/gst-join.py "$name" "$work/a.mkv" "$work/b.mkv" --duration "$(awk -v n=$N 'BEGIN { print n / 25 }')" \
    --out "$work/join/%03d.png" >/dev/null; then
    echo "FAIL $name: gst-join.py failed"
    fail=1
    continue
  fi
  # shellcheck disable=SC2046
  $zelkor render "$name" --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" --sequence "$sequence" \
    $(host_words "$info") --out "$work/mix/%03d.png"
  k=0
  for f in "$work"/a.png "$work"/a.png "$work"/a.png "$work"/a.png "$work"/mix/*.png \
    "$work"/b.png "$work"/b.png "$work"/b.png "$work"/b.png; do
    cp "$f" "$(printf '%s/zseq/%03d.png' "$work" $k)"
    k=$((k + 1))
  done
  to_rgba "$work/join/%03d.png" "$work/g.rgba"
  to_rgba "$work/zseq/%03d.png" "$work/z.rgba"
  if same_frames "$work/g.rgba" "$work/z.rgba" "$name joined with gst-join.py" "4 of A, $N mixed, 4 of B"; then
    echo "ok   $name in order"
  fi
done
exit $fail
