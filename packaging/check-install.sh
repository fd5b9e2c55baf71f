#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the programs, the icon and a valid
# desktop entry with the measurement types arrive.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for program in tolmek tolmek-batch tolmek-gen; do
  test -x "$prefix/bin/$program" || { echo "missing bin/$program" >&2; exit 1; }
done
test -f "$prefix/share/icons/hicolor/scalable/apps/tolmek.svg"
test -f "$prefix/share/mime/packages/tolmek.xml"
entry="$prefix/share/applications/tolmek.desktop"
desktop-file-validate "$entry"
grep -q '^MimeType=.*application/x-tolmek;' "$entry"
echo "install: ok"
