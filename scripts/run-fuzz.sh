#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given seconds, a few at a time. Seeds come from
# tests/data/fuzz/<name>/; what a run finds new stays in <build>/fuzz/corpus/<name>/. A crash, a
# leak, a timeout or a unit slower than a second fails the target; the end lists the failures.
set -u
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=${3:-4}
root=$(cd "$(dirname "$0")/.." && pwd)
logs="$build/fuzz/logs"
mkdir -p "$logs"

run_one() {
  local binary=$1 name=${1##*/fuzz_}
  local corpus="$build/fuzz/corpus/$name" seeds="$root/tests/data/fuzz/$name"
  mkdir -p "$corpus"
  [ -d "$seeds" ] || seeds=
  # Freed memory stays with the allocator instead of going back to the system: handing it back
  # (madvise, then faulting the pages in again) can stall a unit of a few milliseconds past the
  # one-second limit on a busy machine, which is no fault of the code under test.
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:allocator_release_to_os_interval_ms=-1 \
     LSAN_OPTIONS=suppressions="$root/fuzz/lsan.supp":print_suppressions=0 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 QT_QPA_PLATFORM=offscreen \
     "$binary" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2560 -malloc_limit_mb=1024 \
       -artifact_prefix="$logs/$name-" $corpus $seeds >"$logs/$name.log" 2>&1; then
    echo "ok      $name ($(grep -o 'Done [0-9]* runs' "$logs/$name.log" | grep -o '[0-9]*') runs)"
  else
    echo "FAILED  $name (see $logs/$name.log)"
  fi
}
export -f run_one
export build seconds root logs

results=$(ls "$build"/fuzz/fuzz_* | xargs -P "$jobs" -I{} bash -c 'run_one {}')
echo "$results" | sort
! grep -q '^FAILED' <<<"$results"
