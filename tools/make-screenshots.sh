#!/usr/bin/env bash
# Renews the pictures the README shows: runs each example headless (its own Xvfb) and keeps its
# screenshot as a PNG.
#
#   tools/make-screenshots.sh [OUT_DIR]      (default: docs/; BUILD_DIR=... for another build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs}")
export VARNEL_BUILD_DIR=${VARNEL_BUILD_DIR:-$(realpath -m "${BUILD_DIR:-$root/build}")}
mkdir -p "$out"
unset DISPLAY

# name of the picture, example, arguments
shots=(
    "explorer explorer"
    "column-editor dialogs columns"
    "about-box dialogs about"
    "designer designer"
)
for shot in "${shots[@]}"; do
    read -r picture example args <<<"$shot"
    "$root/tools/run-example.sh" "$example" ${args:-} >/dev/null
    cp "$VARNEL_BUILD_DIR/screenshots/$example.png" "$out/$picture.png"
    echo "$out/$picture.png"
done
