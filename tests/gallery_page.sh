#!/usr/bin/env bash
# Renders the gallery into a scratch directory and opens it in headless Chromium from the
# file system, as a user would: the page opens with a contents strip of animated thumbnails
# linking to the sections, every module has its section and animated preview, and no
# picture on the page fails to load. Keeps a screenshot of the page in
# build/test-output/gallery_page.png.
set -euo pipefail
cd "$(dirname "$0")/.."
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "FAIL gallery page: chromium is missing"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gallery=$work/gallery
tools/gallery.sh "$gallery" >"$work/gallery.log" 2>&1 || {
  echo "FAIL gallery page: tools/gallery.sh failed"
  tail -5 "$work/gallery.log"
  exit 1
}

# The page as Chromium loads it, with a note appended once everything has loaded: how many
# pictures there are and which of them did not decode.
probe='<script>window.addEventListener("load",function(){var bad=[],n=0;'
probe+='for(const i of document.images){n++;if(!i.complete||i.naturalWidth===0)bad.push(i.getAttribute("src"));}'
probe+='var p=document.createElement("pre");p.id="image-check";'
probe+='p.textContent="images "+n+" broken "+bad.length+" "+bad.join(" ");document.body.appendChild(p);});</script>'
check_page() { # PAGE -> "images N broken M ..."
  timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-dev-shm-usage \
    --virtual-time-budget=30000 --dump-dom "file://$1" 2>/dev/null |
    grep -o '<pre id="image-check">[^<]*' | sed 's/.*>//'
}
with_probe() { # SOURCE EXTRA_HTML DEST (the page ends with its closing tags on a line)
  { grep -v '^</body></html>$' "$1"; printf '%s%s</body></html>\n' "$2" "$probe"; } >"$3"
}

fail=0
with_probe "$gallery/index.html" "" "$gallery/check.html"
result=$(check_page "$gallery/check.html")
echo "gallery page: $result"
expected=$(grep -o '<img ' "$gallery/index.html" | wc -l)
read -r _ seen _ broken _ <<<"$result"
if [ -z "$result" ] || [ "$seen" != "$expected" ] || [ "$broken" != 0 ]; then
  echo "FAIL gallery page: $expected pictures on the page, Chromium reports: ${result:-nothing}"
  fail=1
fi

# The probe itself must see a picture that is not there.
with_probe "$gallery/index.html" '<img src="frames/not-there.png">' "$gallery/check-missing.html"
read -r _ _ _ broken _ <<<"$(check_page "$gallery/check-missing.html")"
if [ "${broken:-}" != 1 ]; then
  echo "FAIL gallery page: a missing picture went unnoticed"
  fail=1
fi

# Every module has its section and an animated preview, and the contents strip that opens
# the page links to the section with an animated thumbnail.
contents=$(sed -n '/<nav class="contents">/,/<\/nav>/p' "$gallery/index.html")
if [ "$(grep -n -m1 '<nav class="contents">\|<section ' "$gallery/index.html" | cut -d: -f2-)" != '<nav class="contents">' ]; then
  echo "FAIL gallery page: the page does not open with the contents strip"
  fail=1
fi
for module in build/native/modules/*.vfx; do
  name=$(basename "$module" .vfx)
  if ! grep -q "<section id=\"$name\">" "$gallery/index.html" ||
    ! grep -q "<h2>$name " "$gallery/index.html" ||
    ! grep -q "src=\"frames/${name}_[0-9]*\.webp\"" "$gallery/index.html"; then
    echo "FAIL gallery page: $name has no section or no animated preview"
    fail=1
  fi
  if ! grep -q "<a href=\"#$name\"><img src=\"frames/${name}_0\.webp\"" <<<"$contents"; then
    echo "FAIL gallery page: the contents strip has no animated thumbnail linking to $name"
    fail=1
  fi
done

mkdir -p build/test-output
timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-dev-shm-usage \
  --hide-scrollbars --window-size=1280,2400 --virtual-time-budget=30000 \
  --screenshot="$(pwd)/build/test-output/gallery_page.png" "file://$gallery/index.html" \
  >/dev/null 2>&1 || { echo "FAIL gallery page: no screenshot"; fail=1; }
[ "$fail" = 0 ] && echo "ok   gallery page"
exit $fail
