#!/usr/bin/env bash
# A Kdenlive project (MLT XML as Kdenlive writes it: bin playlist, black track, one tractor of
# two playlists per track, the tracks' own compositing, then the compositions) with two clips
# on two tracks and one composition per transition, plus one with a changed setting per
# settings module. melt renders it; every frame inside a composition must equal zelkor render
# at the same progress, with the composition's parameters as the XML descriptions give them.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/melt_setup.bash
cmake --build "$native" --target kdenlive_xml >/dev/null
W=96
H=54
F=5
still_scenes $W $H
for xml in "$native"/kdenlive/transitions/*.xml; do
  name=$(basename "$xml" .xml)
  $native/zelkor info "${name#frei0r_zelkor_}" >"$work/${name#frei0r_zelkor_}.info"
done
# One changed setting per settings module, as the user picks it in the dialog's numbers,
# named host choices and presets picked from their lists (zelkor render takes the same names);
# a preset must hold although every field is set too, at its default.
cat >"$work/changes" <<'CHANGES'
airport tilesDown 3
bloom bloomMode 0
chars applyGlow 1
cuboids2 columns 4
firestorm flameSpeed 3
logo backgroundType 3
marbles order 2
rays lightX 25
twister bendDegrees 540
curtain variant closing
curtain extra wide-shadow
bwflash extra soft
shaft variant outward
cuboids2 preset wave
logo preset rotation
CHANGES

python3 - "$work" "$W" "$H" "$F" "$native"/kdenlive/transitions/*.xml <<'PY'
import re, sys, xml.etree.ElementTree as ET
from xml.sax.saxutils import escape, quoteattr
work, W, H, F, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5:]
changes = {}
for line in open(work + "/changes"):
    module, field, value = line.split()
    changes.setdefault(module, []).append((field, value))

def mlt_value(p, shown):
    """What Kdenlive stores for a parameter shown as `shown` (here at full precision); list
    defaults are stored values already, a changed list entry is named by its label or number."""
    kind = p.get("type")
    if kind == "list" and shown != p.get("default"):
        labels = p.findtext("paramlistdisplay").split(",")
        values = p.get("paramlist").split(";")
        if shown in labels: return values[labels.index(shown)]
        return values[int(shown)]
    if kind == "constant":
        v = (float(shown) - float(p.get("offset", 0))) / float(p.get("factor", 1))
        return "%.17g" % v
    return shown

compositions, runs = [], []
for path in files:
    module = re.match(r".*frei0r_zelkor_(\w+)\.xml$", path).group(1)
    root = ET.parse(path).getroot()
    params = root.findall("parameter")
    cases = [None] + changes.get(module, [])
    for case in cases:
        props = {}
        for p in params:
            props[p.get("name")] = mlt_value(p, p.get("default"))
        zargs = []
        if case:
            field, value = case
            props[field] = mlt_value(next(p for p in params if p.get("name") == field), value)
            zargs += ["--" + field, value] if field in ("variant", "extra", "preset") else ["--set", "%s=%s" % (field, value)]
        info = open("%s/%s.info" % (work, module)).read()
        word = lambda key: int(re.search(r"^%s\s+(0x[0-9A-F]+)" % key, info, re.M).group(1), 16)
        if "--variant" not in zargs: zargs += ["--variant", str(word("variantDefault") & word("variantMask"))]
        if "--extra" not in zargs: zargs += ["--extra", str(word("extraDefault"))]
        if "color" in props:
            c = int(props["color"][2:8], 16)
            zargs += ["--color", str((c >> 16) | (c & 0xFF00) | ((c & 0xFF) << 16))]
        k = len(compositions)
        compositions.append((module, k * F, k * F + F - 1, props))
        runs.append("%s %d %s" % (module, k, " ".join(zargs)))
total = len(compositions) * F

def producer(pid, resource):
    return ('  <producer id="%s" in="0" out="%d">\n   <property name="length">%d</property>\n'
            '   <property name="eof">pause</property>\n   <property name="resource">%s</property>\n'
            '   <property name="ttl">25</property>\n   <property name="mlt_service">qimage</property>\n'
            '   <property name="kdenlive:duration">%d</property>\n  </producer>\n'
            % (pid, total - 1, total, escape(resource), total))
out = ['<?xml version=\'1.0\' encoding=\'utf-8\'?>\n',
       '<mlt LC_NUMERIC="C" producer="main_bin" version="7.12.0" root="%s">\n' % work,
       ' <profile frame_rate_num="25" frame_rate_den="1" width="%d" height="%d" progressive="1" '
       'sample_aspect_num="1" sample_aspect_den="1" display_aspect_num="16" display_aspect_den="9" '
       'colorspace="709" description="zelkor test"/>\n' % (W, H)]
out.append(producer("producer0", work + "/a.png"))
out.append(producer("producer1", work + "/b.png"))
out.append(' <playlist id="main_bin">\n  <property name="kdenlive:docproperties.version">1.04</property>\n'
           '  <property name="xml_retain">1</property>\n'
           '  <entry producer="producer0" in="0" out="%d"/>\n  <entry producer="producer1" in="0" out="%d"/>\n'
           ' </playlist>\n' % (total - 1, total - 1))
out.append(' <producer id="black_track" in="0" out="%d">\n  <property name="length">%d</property>\n'
           '  <property name="eof">continue</property>\n  <property name="resource">black</property>\n'
           '  <property name="aspect_ratio">1</property>\n  <property name="mlt_service">color</property>\n'
           '  <property name="set.test_audio">0</property>\n </producer>\n' % (total - 1, total))
for t in range(2):
    out.append(producer("producer%d_track" % t, work + ("/a.png", "/b.png")[t]))
    out.append(' <playlist id="playlist%d">\n  <property name="kdenlive:track_name">V%d</property>\n'
               '  <entry producer="producer%d_track" in="0" out="%d">\n   <property name="kdenlive:id">%d</property>\n'
               '  </entry>\n </playlist>\n <playlist id="playlist%d_b"/>\n'
               % (t, t + 1, t, total - 1, t + 2, t))
    out.append(' <tractor id="tractor%d" in="0" out="%d">\n  <property name="kdenlive:track_name">V%d</property>\n'
               '  <track hide="audio" producer="playlist%d"/>\n  <track hide="audio" producer="playlist%d_b"/>\n'
               ' </tractor>\n' % (t, total - 1, t + 1, t, t))
out.append(' <tractor id="maintractor" global_feed="1" in="0" out="%d">\n' % (total - 1))
out.append('  <track producer="black_track"/>\n  <track producer="tractor0"/>\n  <track producer="tractor1"/>\n')
for t in (1, 2):
    out.append('  <transition id="transition%d">\n   <property name="a_track">0</property>\n'
               '   <property name="b_track">%d</property>\n   <property name="compositing">0</property>\n'
               '   <property name="distort">0</property>\n   <property name="rotate_center">0</property>\n'
               '   <property name="mlt_service">qtblend</property>\n   <property name="kdenlive_id">qtblend</property>\n'
               '   <property name="internal_added">237</property>\n   <property name="always_active">1</property>\n'
               '  </transition>\n' % (t, t))
for k, (module, start, end, props) in enumerate(compositions):
    service = "frei0r.zelkor_" + module
    out.append('  <transition id="composition%d" in="%d" out="%d">\n   <property name="a_track">1</property>\n'
               '   <property name="b_track">2</property>\n   <property name="mlt_service">%s</property>\n'
               '   <property name="kdenlive_id">%s</property>\n' % (k, start, end, service, service))
    for name, value in props.items():
        out.append('   <property name=%s>%s</property>\n' % (quoteattr(name), escape(value)))
    out.append('  </transition>\n')
out.append(' </tractor>\n</mlt>\n')
open(work + "/project.kdenlive", "w").write("".join(out))
open(work + "/runs", "w").write("\n".join(runs) + "\n")
PY

melt_render "$work/o.rgba" "$work/melt.log" "$work/project.kdenlive" \
  -consumer avformat:"$work/o.rgba" f=rawvideo pix_fmt=rgba real_time=-1 ||
  { tail -5 "$work/melt.log"; exit 1; }
fail=0
while read -r module k zargs; do
  rm -f "$work"/z_*.bmp
  # shellcheck disable=SC2086
  $native/zelkor render "$module" --from "$work/scene_a.bmp" --to "$work/scene_b.bmp" \
    --frames $F $zargs --out "$work/z_%03d.bmp" >/dev/null
  if ! python3 - "$work" $W $H $F "$k" <<'PY'
import struct, sys
work, W, H, F, k = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
raw = open(work + "/o.rgba", "rb").read()
size = W * H * 4
stride = (W * 3 + 3) // 4 * 4
for i in range(F):
    bmp = open(work + "/z_%03d.bmp" % i, "rb").read()
    off = struct.unpack("<I", bmp[10:14])[0]
    frame = raw[(k * F + i) * size:(k * F + i + 1) * size]
    if len(frame) != size: print("  missing frame %d" % (k * F + i)); sys.exit(1)
    for y in range(H):
        line = frame[y * W * 4:(y + 1) * W * 4]
        bgr = bytearray(W * 3)
        bgr[0::3] = line[2::4]; bgr[1::3] = line[1::4]; bgr[2::3] = line[0::4]
        if bytes(bgr) != bmp[off + (H - 1 - y) * stride: off + (H - 1 - y) * stride + W * 3]:
            print("  frame %d of the composition differs from line %d" % (i, y)); sys.exit(1)
PY
  then
    echo "FAIL $module [$zargs]"
    fail=1
  else
    echo "ok   $module [$zargs]"
  fi
done <"$work/runs"
exit $fail
