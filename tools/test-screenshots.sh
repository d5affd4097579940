#!/usr/bin/env bash
# Checks tools/make-screenshots.sh: into a temporary folder, every picture the README shows is made
# from its example, a window's size and not blank.
#
#   tools/test-screenshots.sh BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
BUILD_DIR=$1 "$root/tools/make-screenshots.sh" "$out"

failed=0
for picture in explorer column-editor about-box designer; do
    file="$out/$picture.png"
    if [ ! -s "$file" ]; then
        echo "FAILED: $picture.png was not made"; failed=1; continue
    fi
    read -r width height colours <<<"$(identify -format '%w %h %k' "$file")"
    echo "$picture.png: ${width}x${height}, $colours colours"
    # The About box is the smallest window (about 190x130); a blank picture has a colour or two.
    if [ "$width" -lt 150 ] || [ "$height" -lt 100 ] || [ "$colours" -lt 8 ]; then
        echo "FAILED: $picture.png is too small or blank"; failed=1
    fi
done
# Every README picture is one the script renews.
for shown in $(grep -o 'docs/[a-z-]*\.png' "$root/README.md" | sort -u); do
    [ -f "$out/$(basename "$shown")" ] || { echo "FAILED: README shows $shown, not made"; failed=1; }
done
exit $failed
