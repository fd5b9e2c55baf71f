#!/usr/bin/env bash
# After an intended change of what tolmek-batch writes: writes tests/testdata/expected/examples
# again from the outputs of tolmek-batch over examples/ (the test ExpectedOutputs, run with
# TOLMEK_UPDATE_EXPECTED set, replaces the expected files instead of comparing with them), then
# shows what changed. Usage: tools/update-expected.sh [BUILD_FOLDER] (default build).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cmake --build "$build" --target tests_app
TOLMEK_UPDATE_EXPECTED=1 "$build/tests/tests_app" --gtest_filter='ExpectedOutputs.*' >/dev/null
git -C "$root" status --short -- tests/testdata/expected
