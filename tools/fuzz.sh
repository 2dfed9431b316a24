#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for SECONDS (default 15),
# starting from the committed seed corpora. A long run: tools/fuzz.sh 600. Names after the
# seconds pick targets (tools/fuzz.sh 600 decode_dib_fuzz); ZELKOR_FUZZ_NO_BUILD=1 skips the build.
# An input counts as hanging after 60 s: instrumented code runs ten times slower or more, and
# the largest frames some effects allow (chars with a tape of a quarter million rows of 1-pixel
# cells, say) take a few seconds each under the sanitizers on a busy machine.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
shift || true
if [ "${ZELKOR_FUZZ_NO_BUILD:-0}" != 1 ]; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
fi
mkdir -p build/fuzz/corpus build/fuzz/findings
status=0
targets=()
if [ $# -gt 0 ]; then
  for name in "$@"; do targets+=("build/fuzz/fuzz/$name"); done
else
  targets=(build/fuzz/fuzz/*_fuzz)
fi
# LeakSanitizer stops every thread through a tracer for each leak check (at exit, and mid-run
# when an input looks leaky); now and then the tracer itself crashes ("LeakSanitizer has
# encountered a fatal error"), ending the run, and libFuzzer then saves whatever input it had last. That is no finding when the log shows no error of the code
# under test and the saved input runs clean on its own (leak check included). The fuzzing
# time left then goes to a fresh run over the corpus grown so far.
# Every sanitizer opens its report with "ERROR: <Name>Sanitizer", libFuzzer its own findings
# (timeouts, memory, deadly signals) with "ERROR: libFuzzer"; UBSan's checks print "runtime error".
finding_lines='ERROR: ([A-Za-z]+Sanitizer|libFuzzer)|runtime error'
leak_checker_died() {
  grep -q 'LeakSanitizer has encountered a fatal error' "$1" && ! grep -q -E "$finding_lines" "$1"
}
input_passes_alone() {
  local target=$1 log=$2 unit
  unit=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
  [ -n "$unit" ] && [ -f "$unit" ] || return 1
  ASAN_OPTIONS=detect_leaks=1 "$target" "$unit" >"$log.rerun" 2>&1 || return 1
  rm -f "$unit"
}

for target in "${targets[@]}"; do
  name=$(basename "$target")
  seeds=tests/fuzz/corpus/${name%_fuzz}
  work=build/fuzz/corpus/$name
  mkdir -p "$work"
  dirs=("$work")
  [ -d "$seeds" ] && dirs+=("$seeds")
  echo "== fuzzing $name for ${seconds}s"
  log=build/fuzz/"$name".log
  deadline=$((SECONDS + seconds))
  left=$seconds
  while ! ASAN_OPTIONS=detect_leaks=1 "$target" "${dirs[@]}" -max_total_time="$left" -timeout=60 \
      -rss_limit_mb=4096 -print_final_stats=0 -artifact_prefix=build/fuzz/findings/"$name"- \
      >"$log" 2>&1; do
    if leak_checker_died "$log" && input_passes_alone "$target" "$log"; then
      echo "   $name: the leak checker itself failed; the input it saved runs clean alone"
      left=$((deadline - SECONDS))
      # Never 0: -max_total_time=0 means no limit.
      [ "$left" -gt 0 ] || break
      echo "   $name: fuzzing on for the ${left}s left"
      continue
    fi
    echo "FAIL $name: see build/fuzz/$name.log and build/fuzz/findings/"
    grep -E 'ERROR|runtime error|SUMMARY' "$log" | head -5
    status=1
    break
  done
done
exit $status
