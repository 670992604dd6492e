#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for a bounded time: tests/fuzz/NAME_fuzz.cpp
# fuzzes a scratch copy of tests/data/fuzz/NAME/ (the seeds stay untouched) with the dictionary
# tests/fuzz/NAME.dict when there is one. Exits non-zero when any target found a crash, a
# sanitizer report, a leak, a timeout or an out-of-memory input; the input is kept for replay.
#
# Usage: scripts/fuzz.sh [SECONDS]   (per target; default $FUZZ_SECONDS or 60)
# Build first: cmake --preset fuzz && cmake --build --preset fuzz (make fuzz does both).
# Optional: FUZZ_BUILD_DIR (build/fuzz), FUZZ_RSS_MB (2048), FUZZ_TIMEOUT (30 s per input),
# FUZZ_MAX_LEN (largest seed, at least 64 KiB), FUZZ_TARGETS (names to run, e.g. "map_page
# settings"; all when unset), FUZZ_RUNS (stop a target after this many executions, if that
# comes before the time).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-${FUZZ_SECONDS:-60}}"
build="${FUZZ_BUILD_DIR:-build/fuzz}"
rss_mb="${FUZZ_RSS_MB:-2048}"
timeout_s="${FUZZ_TIMEOUT:-30}"
work="$build/fuzz-run"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

shopt -s nullglob
sources=(tests/fuzz/*_fuzz.cpp)
if [ ${#sources[@]} -eq 0 ]; then
  echo "fuzz: no tests/fuzz/*_fuzz.cpp" >&2
  exit 2
fi

failed=()
for src in "${sources[@]}"; do
  target="$(basename "$src" .cpp)"
  name="${target%_fuzz}"
  if [ -n "${FUZZ_TARGETS:-}" ] && [[ " $FUZZ_TARGETS " != *" $name "* ]]; then continue; fi
  exe="$build/tests/$target"
  if [ ! -x "$exe" ]; then
    echo "fuzz: $exe is missing; build the fuzz preset first" >&2
    exit 2
  fi

  corpus="$work/$name/corpus"
  findings="$work/$name/findings"
  log="$work/$name/fuzz.log"
  # The corpus grows from run to run; findings are only this run's.
  mkdir -p "$corpus"
  rm -rf "$findings"
  mkdir -p "$findings"
  seeds="tests/data/fuzz/$name"
  max_len="${FUZZ_MAX_LEN:-65536}"
  if [ -d "$seeds" ]; then
    cp -R "$seeds/." "$corpus/"
    largest="$(find "$seeds" -type f -printf '%s\n' | sort -n | tail -n 1)"
    if [ -z "${FUZZ_MAX_LEN:-}" ] && [ "${largest:-0}" -gt "$max_len" ]; then max_len="$largest"; fi
  else
    echo "fuzz: warning: no seed folder $seeds; $target starts from nothing"
  fi

  # Slow inputs (the megabyte ones) get less of the time, or they would take nearly all of it.
  args=(-max_total_time="$seconds" -rss_limit_mb="$rss_mb" -timeout="$timeout_s"
        -max_len="$max_len" -entropic_scale_per_exec_time=1 -print_final_stats=1
        -artifact_prefix="$findings/")
  if [ -f "tests/fuzz/$name.dict" ]; then args+=(-dict="tests/fuzz/$name.dict"); fi
  if [ -n "${FUZZ_RUNS:-}" ]; then args+=(-runs="$FUZZ_RUNS"); fi

  echo "fuzz: $target for ${seconds}s (corpus $corpus, max_len $max_len, rss ${rss_mb} MB)"
  rc=0
  # libFuzzer stops itself; the outer limit only guards against a hang it cannot interrupt.
  timeout --kill-after=10 "$((seconds * 2 + timeout_s + 120))" \
    "$exe" "${args[@]}" "$corpus" >"$log" 2>&1 || rc=$?

  stats="$(grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$log" | sed 's/^/  /' || true)"
  execs="$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)"
  # libFuzzer also keeps inputs that ran over 10 s as slow-unit-*: worth a look, not a failure.
  artifacts=()
  for a in "$findings"/*; do
    case "$(basename "$a")" in
      slow-unit-*) echo "fuzz: $target: slow input kept: $a" ;;
      *) artifacts+=("$a") ;;
    esac
  done
  if [ "$rc" -eq 0 ] && [ ${#artifacts[@]} -eq 0 ]; then
    if [ -n "$stats" ]; then echo "$stats"; fi
    echo "fuzz: $target: no finding in ${execs:-?} executions"
    continue
  fi

  failed+=("$target")
  echo
  echo "================================================================================"
  echo "FUZZ FINDING: $target (exit code $rc)"
  echo "================================================================================"
  # The report without libFuzzer's progress lines.
  grep -vE '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)' "$log" | tail -n 80
  echo "--------------------------------------------------------------------------------"
  echo "Full log: $log"
  for a in "${artifacts[@]}"; do
    echo "Input:     $a"
    echo "Reproduce: $exe $a"
  done
  echo "================================================================================"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: FAILED: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${FUZZ_TARGETS:-all targets}, ${seconds}s each, no finding"
