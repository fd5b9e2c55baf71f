#!/usr/bin/env bash
# Batch throughput against the I/O floor. For each count N it generates N recordings with
# tolmek-gen into a temporary folder, runs tolmek-batch over them and, in the same run, the floor:
# `cat` of the same inputs and `cp` of the outputs the batch wrote into a fresh folder. Prints
# files per second, the ratio to the floor and the growth exponent between successive counts (and
# over the whole range from 1000 files, for the batch and for the floor), for
# the elapsed time and for the processor time (user and system) that the processes used, which a
# busy machine disturbs less; and the peak resident memory of tolmek-batch.
#
# Usage: bench/batch-scale.sh BUILD_FOLDER [dat|asc|tmk] [N...]
#   dat: instrument recordings of 20000 raw samples (80 KB), N = 100 1000 4000 10000 by default
#   asc: ASCII files of 1000 points, N = 1000 by default
#   tmk: native files of 1000 points, N = 1000 by default
# TOLMEK_BENCH_DIR chooses the folder for the files (default: a new folder under /tmp).
# TOLMEK_BENCH_REPEATS (default 3): the batch and the floor are run this many times, alternating,
# each time on a folder without outputs, and the fastest of each is taken, so that a burst of
# other work on the machine does not decide the figure.
#
# No file is deleted between the measured runs: each batch gets a new folder of hard links to the
# inputs and each floor a new output folder, and everything goes when the script ends. On ext4
# without a journal, creating a file right after thousands were deleted makes the inode allocator
# step over every recently freed inode, so deleting one run's outputs would slow whichever run
# came next, by as much as a factor of five.
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

# Runs a command under /usr/bin/time; prints "wall cpu peak_kb" (cpu: user plus system time of
# the command and of every process it waited for).
measure() {
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" || return 1
  read -r wall user system peak <"$work/time"
  # Times below the clock's resolution count as one tick, so that ratios stay defined.
  echo "$(echo "if ($wall < 0.01) 0.01 else $wall" | bc -l) \
$(echo "t = $user + $system; if (t < 0.01) 0.01 else t" | bc -l) $peak"
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
  "$batch" "$1"/*."$kind" 2>"$work/batch.err" >/dev/null || {
    echo "batch-scale: tolmek-batch failed:" >&2
    head -n 5 "$work/batch.err" >&2
    return 1
  }
}

# A folder holding the inputs alone, as hard links, so that no inode is made or freed for it.
link_inputs() {
  mkdir -p "$2"
  find "$1" -maxdepth 1 -type f -name "*.$kind" -exec ln -t "$2" {} +
}

minimum() {
  if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi
}

printf '%-4s %6s %7s %7s %8s %7s %9s %9s %9s %5s %7s %s\n' kind files batch_s floor_s files/s \
  ratio batch_cpu floor_cpu cpu_ratio exp cpu_exp peak_mb
previous_n=""
for n in "${counts[@]}"; do
  folder="$work/in-$n"
  make_inputs "$folder" "$n"
  batch_s="" floor_s="" batch_cpu="" floor_cpu="" peak_kb=0
  for ((r = 1; r <= repeats; r++)); do
    runs="$work/runs-$n-$r"
    link_inputs "$folder" "$runs"
    sync
    read -r wall cpu peak < <(measure bash -c "$(declare -f run_batch); batch='$batch' \
      kind='$kind' work='$work' run_batch '$runs'")
    [ -n "$wall" ] || exit 1
    batch_s=$(minimum "$batch_s" "$wall")
    batch_cpu=$(minimum "$batch_cpu" "$cpu")
    peak_kb=$((peak > peak_kb ? peak : peak_kb))
    sync
    read -r wall cpu peak < <(measure bash -c "$(declare -f floor); kind='$kind' \
      floor '$runs' '$work/out-$n-$r'")
    floor_s=$(minimum "$floor_s" "$wall")
    floor_cpu=$(minimum "$floor_cpu" "$cpu")
  done
  exponent="-" cpu_exponent="-"
  if [ -n "$previous_n" ]; then
    exponent=$(printf '%.2f' "$(echo "l($batch_s / $previous_t) / l($n / $previous_n)" | bc -l)")
    cpu_exponent=$(printf '%.2f' \
      "$(echo "l($batch_cpu / $previous_cpu) / l($n / $previous_n)" | bc -l)")
  fi
  printf '%-4s %6d %7.2f %7.2f %8.0f %7.2f %9.2f %9.2f %9.2f %5s %7s %d\n' "$kind" "$n" \
    "$batch_s" "$floor_s" "$(echo "$n / $batch_s" | bc -l)" "$(echo "$batch_s / $floor_s" | bc -l)" \
    "$batch_cpu" "$floor_cpu" "$(echo "$batch_cpu / $floor_cpu" | bc -l)" "$exponent" \
    "$cpu_exponent" $((peak_kb / 1024))
  previous_n=$n previous_t=$batch_s previous_cpu=$batch_cpu previous_floor=$floor_s
  # The growth over the whole range from 1000 files on (or from the first count below that).
  if [ -z "${from_n:-}" ] || { [ "$from_n" -lt 1000 ] && [ "$n" -le 1000 ]; }; then
    from_n=$n from_t=$batch_s from_floor=$floor_s
  fi
done
if [ "$previous_n" != "$from_n" ]; then
  growth() { printf '%.2f' "$(echo "l($2 / $1) / l($previous_n / $from_n)" | bc -l)"; }
  echo "growth exponent from $from_n to $previous_n files: batch $(growth "$from_t" \
"$previous_t"), floor $(growth "$from_floor" "$previous_floor")"
fi
