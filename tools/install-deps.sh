#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine, when missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have clang++ || need+=(clang)
[ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] || need+=(libclang-rt-dev)
have iconv || need+=(libc-bin)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have Xvfb || need+=(xvfb)
have chromium || need+=(chromium)
have melt || need+=(melt)
[ -f /usr/include/frei0r.h ] || need+=(frei0r-plugins-dev)
have lintian || need+=(lintian)
have dpkg-shlibdeps || need+=(dpkg-dev)
have python3 || need+=(python3)
have pkg-config || need+=(pkg-config)
# GStreamer with its frei0r wrapper, FFV1 and PNG, and the bindings tools/gst-join.py uses.
for pkg in gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good \
  gstreamer1.0-plugins-bad gstreamer1.0-libav python3-gi gir1.2-gstreamer-1.0 \
  gir1.2-gst-plugins-base-1.0; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
for lib in libavformat libavcodec libswscale libswresample; do
  pkg-config --exists "$lib" 2>/dev/null || need+=("$lib-dev")
done
if ! dpkg -s wine32:i386 >/dev/null 2>&1 || ! have wine; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  need+=(wine wine32:i386)
fi
for extra in "$@"; do dpkg -s "$extra" >/dev/null 2>&1 || need+=("$extra"); done

if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  # A mirror caught mid-sync fails one index ("File has unexpected size"); the others still
  # load, so after a few tries the install goes ahead with the lists it has.
  for try in 1 2 3; do
    if $SUDO apt-get update -qq; then break; fi
    echo "apt-get update failed (try $try of 3)"
    [ "$try" -eq 3 ] || sleep 15
  done
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
