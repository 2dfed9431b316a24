#!/usr/bin/env bash
# Renders every transition through its frei0r plug-in in the real melt, on one, two and four
# worker threads, and compares the frames byte for byte with zelkor render at the same
# progress and choices.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/melt_setup.bash  # the build named in ZELKOR_NATIVE_BUILD, or build/native
W=160
H=90
still_scenes $W $H
cat > "$work/profile" <<PROFILE
description=zelkor test
frame_rate_num=25
frame_rate_den=1
width=$W
height=$H
progressive=1
sample_aspect_num=1
sample_aspect_den=1
display_aspect_num=16
display_aspect_den=9
colorspace=709
PROFILE

# zelkor render options -> frei0r properties for melt.
to_melt() {
  local name=$1 info
  shift
  info=$($native/zelkor info "$name") || return 1
  local props=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --variant | --extra)
        # Every bit the module announces is given, so its default choice does not linger.
        local kind=${1#--} word=$(($2)) mask
        mask=$(($(sed -n "s/^${kind}Mask *//p" <<<"$info")))
        [ "$kind" = extra ] && mask=$((mask & ~0x308))
        for ((bit = 1; bit <= 0x40000000; bit <<= 1)); do
          if ((mask & bit)); then props+=("$(printf '%s0x%X=%d' "$kind" "$bit" $(((word & bit) != 0)))"); fi
        done
        shift 2 ;;
      --field) props+=("field=1"); shift ;;
      --color | --colour)
        local c=$(($2))
        props+=("$(printf 'color=#%02x%02x%02x' $((c & 255)) $(((c >> 8) & 255)) $(((c >> 16) & 255)))")
        shift 2 ;;
      --preset)
        local index
        index=$(sed -n 's/^presets://p' <<<"$info" | tr ',' '\n' |
          awk -v want="$2" '{ i=$1; $1=""; sub(/^ "/, ""); sub(/"$/, ""); if (tolower($0) == tolower(want) || i == want) print i }')
        props+=("preset=$index")
        shift 2 ;;
      --frames) shift 2 ;;
      *) echo "unsupported: $1" >&2; return 1 ;;
    esac
  done
  [ ${#props[@]} -eq 0 ] || printf '%s\n' "${props[@]}"
}

cat > "$work/compare.py" <<'PY'
import struct, sys
work, W, H, n = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
raw = open(work + "/o.rgba", "rb").read()
if len(raw) != W * H * 4 * n:
    print("  melt gave %d bytes, expected %d frames" % (len(raw), n)); sys.exit(1)
stride = (W * 3 + 3) // 4 * 4
bad = 0
for k in range(n):
    bmp = open(work + "/z_%03d.bmp" % k, "rb").read()
    off = struct.unpack("<I", bmp[10:14])[0]
    frame = raw[k * W * H * 4:(k + 1) * W * H * 4]
    for y in range(H):
        row = bmp[off + (H - 1 - y) * stride: off + (H - 1 - y) * stride + W * 3]
        line = frame[y * W * 4:(y + 1) * W * 4]
        bgr = bytearray(W * 3)
        bgr[0::3] = line[2::4]; bgr[1::3] = line[1::4]; bgr[2::3] = line[0::4]
        if bytes(bgr) != row:
            print("  frame %d differs from line %d" % (k, y)); bad += 1; break
sys.exit(1 if bad else 0)
PY

# check_module NAME: every gallery line of one module, in a folder of its own; FAIL lines and
# melt's words on stdout.
check_module() {
  local name=$1 dir="$work/$1" spec strips opts frames given props threads fail=0
  mkdir -p "$dir"
  spec=effects/$name/gallery.txt
  if [ -f "$spec" ]; then
    mapfile -t strips < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$' | sed 's/^[^|]*|//')
  else
    strips=("")
  fi
  for opts in "${strips[@]}"; do
    # Settings given by value do not pass through frei0r's 0..1 doubles exactly, and frei0r
    # has no rectangles or request modes: those choices are checked by the other tests.
    if [[ "$opts" == *"--set"* || "$opts" == *"--params"* || "$opts" == *"--rect"* ||
      "$opts" == *"--request-mode"* ]]; then continue; fi
    frames=5
    if [[ "$opts" == *"--frames"* ]]; then frames=$(echo "$opts" | sed -n 's/.*--frames[[:space:]]*\([0-9]*\).*/\1/p'); fi
    # shellcheck disable=SC2086
    if ! given=$(eval to_melt "$name" $opts); then
      echo "FAIL $name [$opts]: the choices have no melt form"
      fail=1
      continue
    fi
    props=()
    [ -z "$given" ] || mapfile -t props <<<"$given"
    rm -f "$dir"/z_*.bmp
    # shellcheck disable=SC2086
    eval $native/zelkor render "$name" --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" \
      $(echo "$opts" | sed 's/--frames[[:space:]]*[0-9]*//') --frames "$frames" --out "$dir/z_%03d.bmp"
    # -1: one worker in order; -2 and -4: workers that finish frames out of order, each with
    # its own plug-in instance.
    for threads in -1 -2 -4; do
      if ! melt_render "$dir/o.rgba" "$dir/melt.log" -profile "$work/profile" "$work/a.png" \
        out=$((frames - 1)) "$work/b.png" out=$((frames - 1)) -mix "$frames" \
        -mixer "frei0r.zelkor_$name" progress="0=0;-1=1" "${props[@]}" \
        -consumer avformat:"$dir/o.rgba" f=rawvideo pix_fmt=rgba real_time=$threads; then
        echo "FAIL $name [$opts] real_time=$threads: melt failed:"
        tail -3 "$dir/melt.log"
        fail=1
      elif ! python3 "$work/compare.py" "$dir" "$W" "$H" "$frames"; then
        echo "FAIL $name [$opts] real_time=$threads"
        fail=1
      fi
    done
  done
  [ $fail -eq 0 ] && echo "ok   $name"
  return $fail
}

# The modules are checked side by side, as many at once as there are cores; their reports
# come out in name order.
fail=0
names=()
for plugin in "$FREI0R_PATH"/zelkor_${1:-*}.so; do
  name=$(basename "$plugin" .so)
  names+=("${name#zelkor_}")
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  check_module "${names[-1]}" > "$work/${names[-1]}.report" 2>&1 &
done
wait || true
for name in "${names[@]}"; do
  cat "$work/$name.report"
  grep -q "^ok   $name$" "$work/$name.report" || fail=1
done
exit $fail
