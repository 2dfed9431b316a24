# melt_render OUT LOG MELT-ARGS...: melt with the given arguments, its words in LOG, its frames
# in OUT (the consumer's file). melt sometimes stops as it starts, before its consumer has
# written a byte, and still exits 0 (about one run in four on a loaded machine, with any
# mixer, melt's own included): such a run is started again, a few times at most. A run that
# wrote anything at all, or that failed, stands as it is.
melt_render() {
  local out=$1 log=$2 attempt
  shift 2
  for attempt in 1 2 3 4 5 6; do
    rm -f "$out"
    melt "$@" >"$log" 2>&1 || return 1
    if [ ! -f "$out" ] || [ -s "$out" ]; then return 0; fi
    echo "melt wrote nothing (attempt $attempt)" >>"$log.retries"
  done
  return 0
}
