#!/usr/bin/env bash
# Runs every libFuzzer harness for the given number of seconds each (default 20), seeded with the
# examples and fuzz/seeds. Usage: fuzz/run.sh BUILD_FOLDER [SECONDS]
# The corpus each run grows is kept in BUILD_FOLDER/fuzz/corpus-<target>, so longer runs go on
# where the last one stopped; a finding is written to BUILD_FOLDER/fuzz/crash-* and stops the
# script with status 1.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-20}"

seed_folder() {
  local target="$1" corpus="$build/fuzz/corpus-$1"
  mkdir -p "$corpus"
  case "$target" in
    instrument) cp "$root"/examples/*.dat "$corpus"/ ;;
    native) cp "$root"/examples/*.tmk "$corpus"/ ;;
    ascii) cp "$root"/examples/*.asc "$corpus"/ ;;
    ojip) cp "$root"/tests/testdata/ojip-export-*.txt "$corpus"/ ;;
    settings) cp "$root"/fuzz/seeds/tolmek.ini "$corpus"/ ;;
    results) cp "$root"/fuzz/seeds/fl.res "$corpus"/ ;;
  esac
  echo "$corpus"
}

for target in instrument native ascii ojip settings results; do
  corpus="$(seed_folder "$target")"
  echo "fuzz: $target for ${seconds} s"
  (cd "$build/fuzz" &&
    "./tolmek-fuzz-$target" -max_total_time="$seconds" -max_len=200000 -rss_limit_mb=2048 \
      -print_final_stats=1 "$corpus" 2>"$build/fuzz/$target.log") || {
    tail -n 40 "$build/fuzz/$target.log" >&2
    echo "fuzz: $target found a fault; the input is in $build/fuzz" >&2
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|cov:|#[0-9]+.*DONE)' "$build/fuzz/$target.log" | tail -n 2
done
echo "fuzz: no findings"
