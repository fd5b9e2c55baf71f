#!/usr/bin/env bash
# Batch throughput against the I/O floor. For each count N it generates N recordings with
# tolmek-gen into a temporary folder, runs tolmek-batch over them and, in the same run, the floor:
# `cat` of the same inputs and `cp` of the outputs the batch wrote into a fresh folder. Prints
# files per second, the ratio to the floor and the growth exponent between successive counts.
#
# Usage: bench/batch-scale.sh BUILD_FOLDER [dat|asc|tmk] [N...]
#   dat: instrument recordings of 20000 raw samples (80 KB), N = 100 1000 4000 10000 by default
#   asc: ASCII files of 1000 points, N = 1000 by default
#   tmk: native files of 1000 points, N = 1000 by default
# TOLMEK_BENCH_DIR chooses the folder for the files (default: a new folder under /tmp).
# TOLMEK_BENCH_REPEATS (default 3): the batch and the floor are run this many times, alternating,
# each time on a folder without outputs, and the fastest of each is taken, so that a burst of
# other work on the machine does not decide the figure.
set -euo pipefail

build="$(cd "${1:?usage: batch-scale.sh BUILD_FOLDER [dat|asc|tmk] [N...]}" && pwd)"
kind="${2:-dat}"
shift $(($# < 2 ? $# : 2))
counts=("$@")
if [ ${#counts[@]} -eq 0 ]; then
  if [ "$kind" = dat ]; then counts=(100 1000 4000 10000); else counts=(1000); fi
fi

repeats="${TOLMEK_BENCH_REPEATS:-3}"
gen="$build/tools/tolmek-gen"
batch="$build/src/app/tolmek-batch"
work="$(mktemp -d "${TOLMEK_BENCH_DIR:-/tmp}/tolmek-scale.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Seconds (with fractions) that a command takes.
seconds_of() {
  local start end
  start=$(date +%s.%N)
  "$@" || return 1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

# A few distinct recordings, copied round to N files.
make_inputs() {
  local folder="$1" count="$2" seeds=10 i
  mkdir -p "$folder" "$work/seeds"
  for ((i = 1; i <= seeds; i++)); do
    case "$kind" in
      dat) "$gen" --format dat1 --seed "$i" --out "$work/seeds/s$i.dat" ;;
      asc) "$gen" --format asc --points 1000 --seed "$i" --out "$work/seeds/s$i.asc" ;;
      tmk) "$gen" --format tmk13 --points 1000 --seed "$i" --out "$work/seeds/s$i.tmk" ;;
    esac
  done
  for ((i = 1; i <= count; i++)); do
    cp "$work/seeds/s$(((i - 1) % seeds + 1)).$kind" "$(printf '%s/m%05d.%s' "$folder" "$i" "$kind")"
  done
}

# The floor: reading the inputs once and writing the outputs once, one process each.
floor() {
  local folder="$1" fresh="$2"
  cat "$folder"/*."$kind" >/dev/null
  mkdir -p "$fresh"
  find "$folder" -maxdepth 1 -type f ! -name "*.$kind" -exec cp -t "$fresh" {} +
}

run_batch() {
  /usr/bin/time -f '%M' -o "$work/rss" "$batch" "$1"/*."$kind" 2>"$work/batch.err" >/dev/null || {
    echo "batch-scale: tolmek-batch failed:" >&2
    head -n 5 "$work/batch.err" >&2
    exit 1
  }
}

# The outputs of the last batch go, so every batch run starts from the inputs alone.
clear_outputs() {
  find "$1" -maxdepth 1 -type f ! -name "*.$kind" -delete
}

minimum() {
  if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi
}

printf '%-5s %6s %8s %8s %11s %6s %9s %s\n' kind files batch_s floor_s files_per_s ratio exponent \
  peak_rss_mb
previous_n=""
previous_t=""
for n in "${counts[@]}"; do
  folder="$work/in-$n"
  make_inputs "$folder" "$n"
  batch_s=""
  floor_s=""
  rss_kb=0
  for ((r = 1; r <= repeats; r++)); do
    clear_outputs "$folder"
    sync
    t=$(seconds_of run_batch "$folder")
    batch_s=$(minimum "$batch_s" "$t")
    rss_kb=$(($(tail -n 1 "$work/rss") > rss_kb ? $(tail -n 1 "$work/rss") : rss_kb))
    sync
    t=$(seconds_of floor "$folder" "$work/out-$n")
    floor_s=$(minimum "$floor_s" "$t")
    rm -rf "$work/out-$n"
  done
  rate=$(echo "$n / $batch_s" | bc -l)
  ratio=$(echo "$batch_s / $floor_s" | bc -l)
  exponent="-"
  if [ -n "$previous_n" ]; then
    exponent=$(printf '%.2f' "$(echo "l($batch_s / $previous_t) / l($n / $previous_n)" | bc -l)")
  fi
  printf '%-5s %6d %8.2f %8.2f %11.0f %6.2f %9s %d\n' "$kind" "$n" "$batch_s" "$floor_s" "$rate" \
    "$ratio" "$exponent" $((rss_kb / 1024))
  previous_n=$n
  previous_t=$batch_s
  rm -rf "$folder"
done
