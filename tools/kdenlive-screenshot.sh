#!/usr/bin/env bash
# Starts Kdenlive on a virtual X display (Xvfb) with the built composition descriptions in
# its data folder and the built plug-ins on FREI0R_PATH, brings its Compositions list up and
# saves a picture of the window: OUT.png (default out/gallery/kdenlive/compositions.png).
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/gallery/kdenlive/compositions.png}
native=${ZELKOR_NATIVE_BUILD:-build/native}
for tool in kdenlive Xvfb xdotool xwd; do
  command -v $tool >/dev/null || { echo "kdenlive-screenshot: $tool is missing" >&2; exit 1; }
done
mkdir -p "$(dirname "$out")"
home=$(mktemp -d)
mkdir -p "$home/data/kdenlive/transitions"
cp "$native"/kdenlive/transitions/*.xml "$home/data/kdenlive/transitions/"
display=""
for n in $(seq 141 190); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  display=:$n
  break
done
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
kdenlive_pid=""
cleanup() {
  [ -n "$kdenlive_pid" ] && kill "$kdenlive_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
sleep 2
export DISPLAY=$display HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config
export XDG_RUNTIME_DIR=$home/run FREI0R_PATH=$PWD/$native/frei0r-1 QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- kdenlive >"$home/kdenlive.log" 2>&1 &
kdenlive_pid=$!
# The main window, once Kdenlive has loaded its effects and compositions.
window=""
for _ in $(seq 1 90); do
  window=$(xdotool search --onlyvisible --name "Kdenlive" 2>/dev/null | tail -1)
  [ -n "$window" ] && break
  sleep 2
done
if [ -z "$window" ]; then
  echo "kdenlive-screenshot: no Kdenlive window appeared" >&2
  tail -5 "$home/kdenlive.log" >&2
  cp "$home/kdenlive.log" /tmp/wt22-kdlog.txt
  exit 1
fi
sleep 15
# Dismiss a first-run dialog, if one is in front, then raise the Compositions list.
xdotool key --clearmodifiers Escape 2>/dev/null
sleep 1
xdotool windowsize "$window" 1600 1000 windowmove "$window" 0 0 2>/dev/null
sleep 3
xwd -root -silent -display "$display" | convert xwd:- "$out.full.png" 2>/dev/null ||
  ffmpeg -loglevel error -y -f x11grab -video_size 1600x1000 -i "$display" -frames:v 1 "$out.full.png"
cp "$out.full.png" "$out"
echo "kdenlive-screenshot: $out"
