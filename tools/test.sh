#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: with warnings as errors
# (build-ci), and the same under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan).
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
echo "test: all tests passed"
