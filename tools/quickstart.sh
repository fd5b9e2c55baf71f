#!/usr/bin/env bash
# From a fresh checkout to a processed sample: installs what is missing, builds Tolmek (Release,
# in build/), copies the example measurements to build/sample and runs tolmek-batch there on an
# ASCII measurement, a native file with DF peaks set and an instrument recording, then shows what
# it wrote. It then processes the three replicates control-1..3.tmk in build/sample/replicates
# with short file names (StripFileName = 1) and averages their results. With a display it then
# opens the window program on a sample measurement.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh"

build="$root/build"
# Only the programs: the tests have their own build folders (tools/test.sh).
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$build"

sample="$build/sample"
rm -rf "$sample"
mkdir -p "$sample"
cp "$root"/examples/*.asc "$root"/examples/*.tmk "$root"/examples/*.dat "$sample"/

echo
echo "== tolmek-batch --plot on leaf01.asc, rec01.dat and leaf04.tmk in $sample"
"$build/src/app/tolmek-batch" --plot "$sample/leaf01.asc" "$sample/rec01.dat" "$sample/leaf04.tmk"

show() {
  local file="$sample/$1"
  local lines="$2"
  if [ ! -f "$file" ]; then
    echo "quickstart: $1 was not written" >&2
    exit 1
  fi
  echo
  echo "== $1 (first $lines lines)"
  head -n "$lines" "$file" | tr -d '\r'
}

show leaf01.tmk 12
show rec01.tmk 12
show rec01.asc 5
show fl.res 10
show df.res 40
for picture in leaf01.png rec01.png leaf04.png; do
  if [ ! -f "$sample/$picture" ]; then
    echo "quickstart: $picture was not written" >&2
    exit 1
  fi
done
echo
echo "== the charts: $sample/leaf01.png, $sample/rec01.png, $sample/leaf04.png"

# Replicates: results averaging groups the rows of fl.res by the first 7 characters of their
# 8-character short names, which only StripFileName = 1 writes (docs/averaging.md).
replicates="$sample/replicates"
settings="$sample/replicates.ini"
mkdir -p "$replicates"
cp "$root"/examples/control-1.tmk "$root"/examples/control-2.tmk "$root"/examples/control-3.tmk \
  "$replicates"/
printf 'StripFileName = 1\r\n' >"$settings"
echo
echo "== tolmek-batch --settings $settings on control-1.tmk, control-2.tmk, control-3.tmk"
"$build/src/app/tolmek-batch" --settings "$settings" \
  "$replicates/control-1.tmk" "$replicates/control-2.tmk" "$replicates/control-3.tmk"
echo
echo "== tolmek-batch --average $replicates --results"
"$build/src/app/tolmek-batch" --average "$replicates" --results
show replicates/fl.res 4
show replicates/Fl_avg.res 2
show replicates/Fl_err.res 2
echo
echo "quickstart: done; the outputs are in $sample"

echo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== tolmek on $sample/leaf05.tmk (close its window to end)"
  "$build/src/app/tolmek" "$sample/leaf05.tmk"
else
  echo "quickstart: no display, so the window program is not started; on a desktop run"
  echo "  $build/src/app/tolmek $sample/leaf05.tmk"
fi
