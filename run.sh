#!/usr/bin/env bash
# Builds and renders the gallery of every transition into out/gallery/index.html.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh native
tools/gallery.sh out/gallery
echo "gallery: $(pwd)/out/gallery/index.html"
