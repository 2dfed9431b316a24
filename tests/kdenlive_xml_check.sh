#!/usr/bin/env bash
# The generated Kdenlive composition descriptions against the service melt loads and against
# `zelkor info`: tags, parameter names, ranges, defaults, list values and host-choice defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/melt_setup.bash
cmake --build "$native" --target kdenlive_xml >/dev/null
melt -query transitions >"$work/transitions" 2>/dev/null
for xml in "$native"/kdenlive/transitions/*.xml; do
  name=$(basename "$xml" .xml)
  name=${name#frei0r_zelkor_}
  melt -query "transition=frei0r.zelkor_$name" >"$work/$name.service" 2>/dev/null
  "$native/zelkor" info "$name" >"$work/$name.info"
done
python3 - "$work" "$native"/kdenlive/transitions/*.xml <<'PY'
import re, sys, xml.etree.ElementTree as ET

work, files = sys.argv[1], sys.argv[2:]
listed = set(re.findall(r"^\s*- (\S+)$", open(work + "/transitions").read(), re.M))
failures = []
def check(ok, what):
    if not ok: failures.append(what)

def service_params(name):
    """identifier title -> (type, default) from melt's YAML."""
    params, current = {}, None
    for line in open("%s/%s.service" % (work, name)):
        m = re.match(r"\s+title: (.*)$", line)
        if m: current = m.group(1); params[current] = {}
        m = re.match(r"\s+(type|default): (.*)$", line)
        if m and current: params[current][m.group(1)] = m.group(2).strip('"')
    return params

def info(name):
    text = open("%s/%s.info" % (work, name)).read()
    words = dict(re.findall(r"^(\w+Mask|\w+Default)\s+(0x[0-9A-F]+)$", text, re.M))
    fields = {}
    table = text.split("\nfield ", 1)
    if len(table) > 1:
        for line in table[1].splitlines()[1:]:
            if not line.strip() or line.startswith("presets:"): continue
            fields[line[:22].strip()] = dict(type=line[31:37].strip(),
                default=line[39:53].strip(), range=line[55:69].strip(), meaning=line[71:])
    presets = re.findall(r'\d+ "([^"]*)"', text.split("\npresets:")[1]) if "\npresets:" in text else []
    named = {}
    for word, choice, star in re.findall(r"^  --(variant|extra)\s+(\S+)\s+0x[0-9A-F]+\s+(\*?)", text, re.M):
        named.setdefault(word, []).append((choice, star == "*"))
    return words, fields, presets, named

for path in files:
    name = re.match(r".*frei0r_zelkor_(\w+)\.xml$", path).group(1)
    root = ET.parse(path).getroot()
    service = "frei0r.zelkor_" + name
    check(root.tag == "transition" and root.get("tag") == service and root.get("id") == service,
          "%s: tag/id" % name)
    check(service in listed, "%s: melt does not list %s" % (name, service))
    check(root.findtext("name") and root.findtext("description"), "%s: name/description" % name)
    reported = service_params(name)
    words, fields, presets, named = info(name)
    params = {p.get("name"): p for p in root.findall("parameter")}
    # A word offered as a list of named choices hides its bits.
    shown = {r for r in reported if not any(r.startswith(w + "0x") for w in params if w in named)}
    check(set(params) == shown, "%s: parameters %s, service has %s" % (name, sorted(params), sorted(shown)))
    p = params.get("progress")
    check(p is not None and p.get("type") == "switch" and p.get("default") == "0=0;-1=1",
          "%s: progress does not run 0 to 1" % name)
    for pname, p in params.items():
        what = "%s.%s" % (name, pname)
        kind, default = p.get("type"), p.get("default")
        bit = re.match(r"(variant|extra)(0x[0-9A-F]+)$", pname)
        if bit:
            on = int(words[bit.group(1) + "Default"], 16) & int(bit.group(2), 16) != 0
            check(kind == "bool" and default == str(int(on)), what + ": host default")
            continue
        if pname in named:
            choices = [c for c, _ in named[pname]]
            check(kind == "list" and p.findtext("paramlistdisplay").split(",") == choices and
                  p.get("paramlist") == ";".join(str(i) for i in range(len(choices))),
                  what + ": named choices")
            check(default == str([star for _, star in named[pname]].index(True)), what + ": named default")
            continue
        if pname == "preset":
            check(p.get("paramlist") == ";".join(str(i) for i in range(-1, len(presets))) and
                  p.findtext("paramlistdisplay").split(",")[1:] == presets, what + ": presets")
            continue
        f = fields.get(pname)
        if f is None: continue
        if f["type"] == "colour":
            c = int(f["default"], 16)
            check(kind == "color" and default == "0x%02x%02x%02xff" % (c & 255, c >> 8 & 255, c >> 16), what)
        elif f["type"] == "path":
            check(kind == "url" and default == f["default"], what)
        elif f["range"] == "0..1" and f["type"] != "float":
            check(kind == "bool" and default == f["default"], what)
        elif kind == "list":
            values = [float(v) for v in p.get("paramlist").split(";")]
            shown = p.findtext("paramlistdisplay").split(",")
            if "," in f["range"]:
                wanted = f["range"].split(",")
                check(shown == wanted, what + ": choices")
                index = wanted.index(f["default"])
            else:
                lo, hi = (int(x) for x in f["range"].split(".."))
                check(len(shown) == hi - lo + 1, what + ": one entry per value")
                index = int(f["default"]) - lo
            n = len(values) - 1
            check(all(abs(v - i / n) < 1e-5 for i, v in enumerate(values)), what + ": list values")
            check(abs(float(default) - values[index]) < 1e-9, what + ": list default")
        else:
            lo, hi = (float(x) for x in f["range"].split(".."))
            check(kind == "constant" and float(p.get("min")) == lo and float(p.get("max")) == hi,
                  what + ": range")
            check(abs(float(default) - float(f["default"])) <= 0.5 * 10 ** -int(p.get("decimals")),
                  what + ": default %s, zelkor %s" % (default, f["default"]))
            # What the plug-in receives for the default equals the unit value it starts from.
            unit = (float(default) - float(p.get("offset", 0))) / float(p.get("factor", 1))
            check(abs(unit - float(reported[pname]["default"])) < 1e-3, what + ": factor/offset")
for f in failures: print("FAIL", f)
print("%d compositions checked, %d failures" % (len(files), len(failures)))
sys.exit(1 if failures or len(files) != 20 else 0)
PY
