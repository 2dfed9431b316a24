# Sourced by the scripts that run our frei0r plug-ins in melt: the native build, the plug-in
# path, a scratch folder removed on exit, and the two still scenes as PNG.
native=${ZELKOR_NATIVE_BUILD:-build/native}
export FREI0R_PATH=$PWD/$native/frei0r-1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# still_scenes W H: $work/a.png and $work/b.png, the sample scenes at that size.
still_scenes() {
  $native/zelkor scenes --out-dir "$work" --size "$1x$2"
  for s in a b; do
    $native/zelkor render crossfade --from "$work/scene_$s.bmp" --to "$work/scene_$s.bmp" \
      --progress 0 --out "$work/$s.png"
  done
}
source tests/support/melt_render.bash
