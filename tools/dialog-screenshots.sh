#!/usr/bin/env bash
# Pictures every settings dialog: for each module in build/win32/modules that has a
# settings record, opens its dialog in Wine on a virtual X display (Xvfb) and saves
# OUTDIR/NAME.png ("zelkor.exe configure NAME --screenshot ..." captures it and closes it
# with OK). Modules without settings are passed over. Exits non-zero when a picture could
# not be taken, after trying all of them.
#
# Wine runs in a prefix of its own (build/wine-dialog-shots) with the X11 driver and
# Wine-drawn window frames, so that the shared prefix of the test runs keeps its null
# graphics driver. Without Xvfb the pictures are taken with the null driver instead.
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: tools/dialog-screenshots.sh OUTDIR}
build=${ZELKOR_WIN32_BUILD:-build/win32}
zelkor=$build/zelkor.exe
modules=$build/modules
if [ ! -f "$zelkor" ] || ! ls "$modules"/*.vfx >/dev/null 2>&1; then
  echo "dialog-screenshots: no Windows build in $build" >&2
  exit 1
fi
command -v wine >/dev/null || { echo "dialog-screenshots: wine is missing" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

export WINEPREFIX=${ZELKOR_SHOTS_PREFIX:-$(pwd)/build/wine-dialog-shots}
export WINEDEBUG=-all
# Wine in the code page the modules' texts are written for (936), as in the test runs.
wine=(env LC_ALL=zh_CN.UTF-8 wine)
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A free display number: no lock file and no socket.
graphics=null
if command -v Xvfb >/dev/null; then
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      graphics=x11
      break
    fi
    xvfb_pid=""
  done
fi
[ "$graphics" = x11 ] || echo "dialog-screenshots: no Xvfb display; using Wine's null driver" >&2

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "dialog-screenshots: preparing the Wine prefix $WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || true
fi
"${wine[@]}" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$graphics" /f >/dev/null 2>&1
# No window manager on the virtual display: Wine draws captions and frames itself.
"${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true  # the desktop starts again with these settings

# Chinese dialog texts need a font that has their characters (fonts-wqy-microhei, say).
if command -v fc-list >/dev/null && [ -z "$(fc-list :lang=zh family 2>/dev/null)" ]; then
  echo "dialog-screenshots: no Chinese font installed; Chinese texts show as boxes" >&2
fi

failed=0
taken=0
for module in "$modules"/*.vfx; do
  name=$(basename "$module" .vfx)
  size=$(timeout 60 "${wine[@]}" "$zelkor" --modules "$modules" info "$name" 2>/dev/null |
    tr -d '\r' | awk '$1 == "paramBlockSize" { print $2 }')
  [ -n "$size" ] && [ "$size" != 0 ] || continue
  rm -f "$out/$name.png"
  if timeout 90 "${wine[@]}" "$zelkor" --modules "$modules" configure "$name" \
      --screenshot "$out/$name.png" && [ -s "$out/$name.png" ]; then
    echo "dialog $name: $out/$name.png"
    taken=$((taken + 1))
  else
    echo "dialog-screenshots: $name: no picture" >&2
    failed=1
  fi
done
echo "dialog-screenshots: $taken pictures in $out"
exit $failed
