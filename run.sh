#!/usr/bin/env bash
# Builds and renders the gallery of every transition into out/gallery/index.html.
set -euo pipefail
cd "$(dirname "$0")"
# A font with Chinese characters, so the dialogs with Chinese texts picture legibly;
# Kdenlive with what drives and pictures it on a virtual display.
tools/install-deps.sh fonts-wqy-microhei kdenlive xdotool ffmpeg dbus
tools/build.sh native
tools/gallery.sh out/gallery
# Kdenlive's Compositions list with the twenty; the gallery shows it when it could be taken.
tools/kdenlive-screenshot.sh out/gallery/kdenlive/compositions.png ||
  echo "run.sh: Kdenlive's compositions list could not be pictured" >&2
# The settings dialogs pictured in Wine (Windows build), then the gallery again to show
# them; when that fails, the gallery still renders without the missing pictures.
tools/build.sh win32 || echo "run.sh: the Windows build failed in part" >&2
tools/dialog-screenshots.sh out/gallery/dialogs ||
  echo "run.sh: some settings dialogs could not be pictured" >&2
tools/gallery.sh out/gallery
echo "gallery: $(pwd)/out/gallery/index.html"
