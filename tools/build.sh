#!/usr/bin/env bash
# Configures and builds the given presets (default: native win32).
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win32)
for p in "${presets[@]}"; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -- -k 0
done
