#!/usr/bin/env bash
# Starts Kdenlive on a virtual X display (Xvfb) with the built composition descriptions in
# its data folder and the built plug-ins on FREI0R_PATH, opens its Compositions list tall
# enough to show every entry and saves a picture of the window: OUT.png (default
# out/gallery/kdenlive/compositions.png). Exits non-zero, saying why, when it cannot.
#
# Kdenlive runs with a private HOME, XDG folders and TMPDIR: a lock file left in the shared
# /tmp by an earlier crash would otherwise put a recovery dialog in front of the window.
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/gallery/kdenlive/compositions.png}
native=${ZELKOR_NATIVE_BUILD:-build/native}
startup_timeout=${KDENLIVE_STARTUP_TIMEOUT:-300}
fail() {
  echo "kdenlive-screenshot: $*" >&2
  exit 1
}
for tool in kdenlive Xvfb xdotool ffmpeg melt dbus-run-session; do
  command -v $tool >/dev/null || fail "$tool is missing"
done
ls "$native"/kdenlive/transitions/*.xml >/dev/null 2>&1 ||
  fail "no composition descriptions in $native/kdenlive/transitions (build first)"
mkdir -p "$(dirname "$out")"

home=$(mktemp -d)
xvfb_pid=""
session_pid=""
# dbus-run-session starts its own bus daemon: ending the whole process group ends
# Kdenlive, the bus and the helpers Kdenlive started, and nothing else.
cleanup() {
  [ -n "$session_pid" ] && kill -- -"$session_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$home/data/kdenlive/transitions" "$home/config" "$home/cache" "$home/tmp" "$home/run"
chmod 700 "$home/run"
cp "$native"/kdenlive/transitions/*.xml "$home/data/kdenlive/transitions/"
# A known version and the tools' paths: Kdenlive then skips its first-run wizard.
cat >"$home/config/kdenliverc" <<EOF
[version]
version=22.12.3

[env]
ffmpegpath=$(command -v ffmpeg)
ffplaypath=$(command -v ffplay || true)
ffprobepath=$(command -v ffprobe || true)
meltpath=$(command -v melt)
EOF

display=""
for n in $(seq 141 190); do
  { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
  display=:$n
  break
done
[ -n "$display" ] || fail "no free X display number"
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.2
done
kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start on $display"

# Software OpenGL: Kdenlive's monitors need a GL context, which Xvfb has only that way.
export DISPLAY=$display HOME=$home TMPDIR=$home/tmp XDG_RUNTIME_DIR=$home/run
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
export FREI0R_PATH=$PWD/$native/frei0r-1 QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
unset QT_XCB_GL_INTEGRATION
setsid dbus-run-session -- kdenlive >"$home/kdenlive.log" 2>&1 &
session_pid=$!

# The main window is titled after its empty project once the effects are loaded.
window=""
deadline=$((SECONDS + startup_timeout))
while [ $SECONDS -lt $deadline ]; do
  window=$(xdotool search --name Untitled 2>/dev/null | tail -1)
  [ -n "$window" ] && break
  kill -0 "$session_pid" 2>/dev/null || break
  sleep 2
done
if [ -z "$window" ]; then
  echo "kdenlive-screenshot: no Kdenlive main window within ${startup_timeout}s; its log ends:" >&2
  tail -5 "$home/kdenlive.log" >&2
  exit 1
fi
sleep 5

# No window manager: place the window over the whole screen ourselves, then open the
# Compositions tab and pull the splitter under the tab bar down so the list shows all.
xdotool windowsize "$window" 1600 1000 windowmove "$window" 0 0
sleep 3
xdotool mousemove 522 577 click 1
sleep 1
xdotool mousemove 522 597
sleep 0.3
xdotool mousedown 1
sleep 0.3
xdotool mousemove 522 700
sleep 0.3
xdotool mousemove 522 900
sleep 0.3
xdotool mouseup 1
sleep 0.3
xdotool mousemove 1590 990
sleep 2
ffmpeg -loglevel error -y -f x11grab -video_size 1600x1000 -i "$display" -frames:v 1 "$out" ||
  fail "could not capture the screen of $display"
echo "kdenlive-screenshot: $out"
