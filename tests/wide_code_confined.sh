#!/usr/bin/env bash
# Every build must run on a processor with SSE2 alone: code using AVX (VEX-encoded vector
# instructions) may only be reached after the run-time check, so it must lie in the
# functions of the files built for AVX2, whose inline helpers live in the namespace
# isa_avx2 (frame/isa_namespace.h) and whose entry points end in Avx2. Disassembles every
# module and frei0r plug-in of the native and Windows builds and lists any other function
# holding such instructions: an inline function whose AVX2 copy the linker kept for all
# callers would show here.
# Builds: ZELKOR_BUILDS (default "native win32"; win32 is skipped when not built).
set -euo pipefail
cd "$(dirname "$0")/.."
fail=0
read -r -a builds <<< "${ZELKOR_BUILDS:-native win32}"
for build in "${builds[@]}"; do
  case "$build" in
    native) dir=${ZELKOR_NATIVE_BUILD:-build/native} objdump=objdump ;;
    win32) dir=${ZELKOR_WIN32_BUILD:-build/win32} objdump=i686-w64-mingw32-objdump ;;
    *) echo "FAIL unknown build $build"; exit 1 ;;
  esac
  files=$(ls "$dir"/modules/*.vfx "$dir"/frei0r-1/*.so "$dir"/frei0r-1/*.dll 2>/dev/null || true)
  if [ -z "$files" ]; then
    echo "skip $build: no modules in $dir"
    continue
  fi
  checked=0
  for file in $files; do
    stray=$("$objdump" -d --no-show-raw-insn -C "$file" |
      awk '/^[0-9a-f]+ <.*>:$/ { fn = $0 }
           /\tv[a-z0-9]+ .*%[xy]mm/ { print fn }' |
      sort -u | grep -v -e 'isa_avx2::' -e 'Avx2(' || true)
    if [ -n "$stray" ]; then
      echo "FAIL $build $(basename "$file"): AVX code outside the AVX2 files:"
      echo "$stray" | head -5
      fail=1
    fi
    checked=$((checked + 1))
  done
  echo "ok   $build: $checked files, AVX code only behind the run-time check"
done
exit $fail
