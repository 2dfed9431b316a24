#!/usr/bin/env bash
# Builds both targets and runs every test: the native suite, the same suite under Wine,
# the sanitizer build, and the frame comparison of the GCC, clang and Windows builds.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh native win32 clang sanitize

export WINEDEBUG=-all
tools/wine-session.sh start
trap 'tools/wine-session.sh stop' EXIT

echo "== native tests"
(cd build/native && ./zelkor_tests --gtest_brief=1)
echo "== sanitizer tests"
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 ./zelkor_tests --gtest_brief=1)
echo "== frei0r plug-ins of the stateful effects on several threads, under ThreadSanitizer"
tools/build.sh tsan
(cd build/tsan && TSAN_OPTIONS=halt_on_error=1 ./frei0r_threads_test --gtest_brief=1)
echo "== Windows tests under Wine"
(cd build/win32 && LC_ALL=zh_CN.UTF-8 wine zelkor_tests.exe --gtest_brief=1)
echo "== GCC, clang and Windows builds give the same frames"
tests/cross_build_identity.sh
for extra in tests/*.sh; do
  case "$extra" in tests/cross_build_identity.sh) continue ;; esac
  echo "== $extra"
  "$extra"
done
echo "== fuzz targets (short run)"
tools/fuzz.sh "${ZELKOR_FUZZ_SECONDS:-10}"
echo "all tests passed"
