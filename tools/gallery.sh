#!/usr/bin/env bash
# Renders a strip of frames (progress 0, 0.25, 0.5, 0.75, 1) for every built module and
# every variant listed in its effects/NAME/gallery.txt, and writes an index.html.
#
# gallery.txt: one strip a line, "Label | zelkor render options". A line whose options
# contain --frames N renders the whole sequence in order (for effects that carry state
# from frame to frame) and shows five frames spread over it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/gallery}
zelkor=build/native/zelkor
mkdir -p "$out/frames"
$zelkor scenes --out-dir "$out" --size 320x180

html_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }

# The page is the head, a contents strip (a small animated thumbnail per transition, linking
# to its section) and the sections; the strip is known only once every section is rendered.
sections=$(mktemp)
contents=$(mktemp)
parts=$(mktemp -d)
trap 'rm -rf "$sections" "$contents" "$parts"' EXIT

{
  echo '<!doctype html><html><head><meta charset="utf-8"><title>Zelkor Transitions</title>'
  echo '<style>body{font-family:sans-serif;background:#1b1d22;color:#ddd;margin:2em}'
  echo 'h2{margin:1.4em 0 .2em}.strip{display:flex;gap:6px;margin:.3em 0 1em}'
  echo 'figure{margin:0}figcaption{font-size:12px;color:#999;text-align:center}'
  echo 'img{display:block;border:1px solid #444}.desc{color:#aaa}.label{color:#8cf}'
  echo '.contents{display:flex;flex-wrap:wrap;gap:8px}.contents a{color:#8cf;font-size:12px;text-align:center;text-decoration:none}</style></head><body>'
  echo '<h1>Zelkor Transitions</h1><p>Scene A: a mountain lake at sunset. Scene B: a lighthouse on the coast.</p>'
} > "$out/index.html"

# gallery_module NAME: renders one module's strips and writes its section and its entry in
# the contents strip to $parts/NAME.section and $parts/NAME.contents.
gallery_module() {
  local name=$1 info desc effect version settings spec strips index strip label opts tag n
  local picks q k file anim thumb words still_words
  local sections="$parts/$name.section" contents="$parts/$name.contents"
  : > "$sections"
  info=$($zelkor info "$name")
  desc=$(echo "$info" | sed -n 's/^description *//p')
  effect=$(echo "$info" | sed -n 's/^effectName *//p')
  version=$(sed -n 's/^version[[:space:]]*//p' "effects/$name/strings.txt" 2>/dev/null || true)
  settings=$(echo "$info" | sed -n '/^field /,$p')
  {
    echo "<section id=\"$name\">"
    echo "<h2>$name <small>version $version</small></h2>"
    echo "<p class=\"desc\">$(echo "$effect — $desc" | html_escape)</p>"
    if [ -n "$settings" ]; then
      echo "<details><summary>Settings and defaults</summary><pre>$(echo "$settings" | html_escape)</pre></details>"
    fi
  } >> "$sections"
  spec=effects/$name/gallery.txt
  if [ -f "$spec" ]; then
    mapfile -t strips < <(grep -v '^\s*#' "$spec" | grep -v '^\s*$')
  else
    strips=("default |")
  fi
  index=0
  for strip in "${strips[@]}"; do
    label=$(echo "${strip%%|*}" | sed 's/[[:space:]]*$//')
    opts=${strip#*|}
    tag="${name}_${index}"
    index=$((index + 1))
    # Options may quote words ("--preset "high fly""): split them as the shell would.
    eval "words=($opts)"
    eval "still_words=($(echo "$opts" | sed 's/--frames[[:space:]]*[0-9]*//'))"
    if [[ "$opts" == *"--frames"* ]]; then
      n=$(echo "$opts" | sed -n 's/.*--frames[[:space:]]*\([0-9]*\).*/\1/p')
      # shellcheck disable=SC2086
      $zelkor render "$name" --from "$out/scene_a.bmp" --to "$out/scene_b.bmp" "${words[@]}" \
        --out "$out/frames/${tag}_%03d.png"
      picks=()
      for q in 0 1 2 3 4; do picks+=($(( q * (n - 1) / 4 ))); done
    else
      # shellcheck disable=SC2086
      $zelkor render "$name" --from "$out/scene_a.bmp" --to "$out/scene_b.bmp" "${words[@]}" \
        --sequence 0,0.25,0.5,0.75,1 --out "$out/frames/${tag}_%03d.png"
      picks=(0 1 2 3 4)
    fi
    # A two-second animated preview of the transition alone (the scenes are stills).
    # shellcheck disable=SC2086
    anim=""
    if $zelkor render "$name" --from "$out/scene_a.bmp" --to "$out/scene_b.bmp" \
        "${still_words[@]}" --duration 2 --still-duration 0 \
        --quiet --out "$out/frames/${tag}.webp" 2>/dev/null; then
      anim="<figure><img src=\"frames/${tag}.webp\" width=\"320\" alt=\"$name $label animated\"><figcaption>animated</figcaption></figure>"
    fi
    echo "<div class=\"label\">$(echo "$label" | html_escape)</div><div class=\"strip\">$anim" >> "$sections"
    q=0
    for k in "${picks[@]}"; do
      file=$(printf 'frames/%s_%03d.png' "$tag" "$k")
      echo "<figure><img src=\"$file\" width=\"240\" alt=\"$name $label\"><figcaption>p = 0.$((q * 25))</figcaption></figure>" \
        | sed 's/p = 0.100/p = 1/; s/p = 0.0</p = 0</' >> "$sections"
      q=$((q + 1))
    done
    echo "</div>" >> "$sections"
    # The thumbnail: the first strip's animation, else its middle frame.
    if [ "$index" = 1 ]; then
      thumb=$(printf 'frames/%s_%03d.png' "$tag" "${picks[2]}")
      [ -z "$anim" ] || thumb="frames/${tag}.webp"
    fi
  done
  if [ -f "$out/dialogs/$name.png" ]; then
    echo "<p>Settings dialog:</p><img src=\"dialogs/$name.png\" alt=\"$name settings dialog\">" >> "$sections"
  fi
  echo "</section>" >> "$sections"
  echo "<a href=\"#$name\"><img src=\"$thumb\" width=\"128\" alt=\"$name\">$name</a>" >> "$contents"
}

# The modules render side by side (as many at once as there are cores); the page takes their
# parts in name order.
jobs_at_once=$(nproc)
names=()
for module in build/native/modules/*.vfx; do
  names+=("$(basename "$module" .vfx)")
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do wait -n; done
  gallery_module "${names[-1]}" &
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n; done
for name in "${names[@]}"; do
  [ -s "$parts/$name.contents" ] || { echo "gallery: $name did not render" >&2; exit 1; }
  cat "$parts/$name.section" >> "$sections"
  cat "$parts/$name.contents" >> "$contents"
done
kdenlive_picture=kdenlive/compositions.png
{
  echo '<nav class="contents">'
  cat "$contents"
  echo '</nav>'
  if [ -f "$out/$kdenlive_picture" ]; then
    echo '<section id="kdenlive"><h2>In Kdenlive</h2><p>The Compositions list with the twenty transitions.</p>'
    echo "<img src=\"$kdenlive_picture\" width=\"800\" alt=\"Kdenlive's Compositions list\"></section>"
  fi
  cat "$sections"
  echo '</body></html>'
} >> "$out/index.html"
