#!/usr/bin/env bash
# The Debian package (contents, lintian, and a render through melt from the unpacked files)
# and the Windows zip (sums, and every module loaded and rendered by the zip's zelkor.exe
# under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
native=${ZELKOR_NATIVE_BUILD:-build/native}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
bad() { echo "FAIL $*"; fail=1; }
source tests/support/melt_render.bash

echo "-- Debian package"
cmake --build "$native" >/dev/null
(cd "$native" && cpack -G DEB >/dev/null)
deb=$(ls "$native"/zelkor-transitions_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/contents"
for m in effects/*/; do
  m=$(basename "$m")
  for f in usr/lib/frei0r-1/zelkor_$m.so usr/share/kdenlive/transitions/frei0r_zelkor_$m.xml \
    usr/lib/zelkor/modules/$m.vfx; do
    grep -qx "$f" "$work/contents" || bad "package lacks $f"
  done
done
for f in usr/bin/zelkor usr/share/doc/zelkor-transitions/README.md \
  usr/share/doc/zelkor-transitions/copyright usr/share/doc/zelkor-transitions/changelog.gz; do
  grep -qx "$f" "$work/contents" || bad "package lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q libavformat || bad "FFmpeg dependencies not declared"
# lintian exits non-zero on any error.
lintian --allow-root "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; bad "lintian"; }

dpkg -x "$deb" "$work/root"
# The unpacked zelkor finds its modules in ../lib/zelkor/modules and renders the reference.
"$work/root/usr/bin/zelkor" scenes --out-dir "$work" --size 64x36 >/dev/null
for s in a b; do
  "$work/root/usr/bin/zelkor" render crossfade --from "$work/scene_$s.bmp" \
    --to "$work/scene_$s.bmp" --progress 0 --out "$work/$s.png" >/dev/null
done
"$work/root/usr/bin/zelkor" render curtain --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" \
  --frames 3 --variant 0x100 --extra 0x20 --out "$work/z_%03d.bmp" >/dev/null
FREI0R_PATH=$work/root/usr/lib/frei0r-1 melt_render "$work/o.rgba" "$work/melt.log" "$work/a.png" \
  out=2 "$work/b.png" out=2 -mix 3 -mixer frei0r.zelkor_curtain progress="0=0;-1=1" \
  -profile atsc_720p_25 width=64 height=36 \
  -consumer avformat:"$work/o.rgba" f=rawvideo pix_fmt=rgba width=64 height=36 real_time=-1 ||
  bad "melt with the unpacked plug-ins"
python3 - "$work" <<'PY' || bad "the unpacked plug-in's frames differ from zelkor's"
import struct, sys
work, W, H = sys.argv[1], 64, 36
raw = open(work + "/o.rgba", "rb").read()
assert len(raw) == 3 * W * H * 4, "melt gave %d bytes" % len(raw)
stride = (W * 3 + 3) // 4 * 4
for k in range(3):
    bmp = open(work + "/z_%03d.bmp" % k, "rb").read()
    off = struct.unpack("<I", bmp[10:14])[0]
    for y in range(H):
        line = raw[(k * H + y) * W * 4:(k * H + y + 1) * W * 4]
        bgr = bytearray(W * 3)
        bgr[0::3] = line[2::4]; bgr[1::3] = line[1::4]; bgr[2::3] = line[0::4]
        assert bytes(bgr) == bmp[off + (H - 1 - y) * stride:][:W * 3], "frame %d line %d" % (k, y)
PY

echo "-- Windows zip"
cmake --build build/win32 --target windows_zip >/dev/null
zip=$(ls build/win32/zelkor-transitions-*-win32.zip)
mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$OLDPWD/$zip")
top=$(ls -d "$work"/zip/*/)
[ "$(ls "$top"/modules/*.vfx | wc -l)" -eq 20 ] || bad "the zip does not hold twenty modules"
for f in zelkor.exe INSTALL.txt LICENSE.txt SHA256SUMS.txt; do [ -f "$top/$f" ] || bad "zip lacks $f"; done
(cd "$top" && sha256sum --quiet -c SHA256SUMS.txt) || bad "SHA-256 sums"
[ "$(wc -l <"$top/SHA256SUMS.txt")" -eq 23 ] || bad "sums do not cover every file"
export WINEDEBUG=-all
cp "$work"/scene_a.bmp "$work"/scene_b.bmp "$top"
for m in "$top"/modules/*.vfx; do
  m=$(basename "$m" .vfx)
  (cd "$top" && wine zelkor.exe info "$m" >/dev/null 2>&1 &&
    wine zelkor.exe render "$m" --from scene_a.bmp --to scene_b.bmp --progress 0.5 \
      --out "w_$m.bmp" >/dev/null 2>&1) || bad "zelkor.exe cannot load or render $m"
  # The same frame as the native build's: the modules are byte-identical in their output.
  "$native/zelkor" render "$m" --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" \
    --progress 0.5 --out "$work/n_$m.bmp" >/dev/null
  cmp -s "$top/w_$m.bmp" "$work/n_$m.bmp" || bad "zelkor.exe renders $m differently"
done
[ $fail -eq 0 ] && echo "packages: Debian package and Windows zip checked"
exit $fail
