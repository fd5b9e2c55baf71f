#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: with warnings as errors
# (build-ci), and the same under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan); then,
# when clang is installed, builds and runs every test with clang as well (build-clang) and runs the
# fuzz targets briefly (build-fuzz).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh"

build_and_test() {
  local folder="$root/$1"
  shift
  cmake -S "$root" -B "$folder" -G Ninja -DTOLMEK_WERROR=ON "$@"
  cmake --build "$folder"
  ctest --test-dir "$folder" --output-on-failure -j2
}

build_and_test build-ci
build_and_test build-asan -DTOLMEK_SANITIZE=ON

# Where clang is installed, every test runs again in a clang build (build-clang), since both
# compilers must accept every file, tests and windows included, without a warning; then every fuzz
# target runs briefly (TOLMEK_FUZZ_SECONDS each, default 20) from its seeds and the corpus earlier
# runs left in build-fuzz.
if command -v clang++ >/dev/null 2>&1; then
  CC=clang CXX=clang++ build_and_test build-clang
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DTOLMEK_BUILD_FUZZ=ON \
    -DTOLMEK_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$root/build-fuzz"
  "$root/fuzz/run.sh" "$root/build-fuzz" "${TOLMEK_FUZZ_SECONDS:-20}"
else
  echo "test: clang++ is not installed; the clang build and the fuzz targets were skipped"
fi
echo "test: all tests passed"
