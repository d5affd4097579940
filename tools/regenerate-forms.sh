#!/usr/bin/env bash
# Converts every stored form's text, design/*.vfm, into the binary .vff beside it, which
# design/DesignResources.rc builds into every program. Run it after editing a .vfm: the resource
# test fails until the two agree. Builds tools/form-convert first when it is missing or stale.
#
#   tools/regenerate-forms.sh        (BUILD_DIR=... for another build tree)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export VARNEL_BUILD_DIR=${VARNEL_BUILD_DIR:-$(realpath -m "${BUILD_DIR:-$root/build}")}
source "$root/tools/wine-env.sh"

if [ ! -f "$VARNEL_BUILD_DIR/build.ninja" ]; then
    cmake -S "$root" -B "$VARNEL_BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
fi
cmake --build "$VARNEL_BUILD_DIR" -j 1 --target form-convert
convert="$VARNEL_BUILD_DIR/tools/form-convert/form-convert.exe"

# The prefix sees no host folder (it has no Z: drive): the forms go through a folder on its C:.
varnel_ensure_prefix
work="$WINEPREFIX/drive_c/varnel-forms"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

status=0
for text in "$root"/design/*.vfm; do
    name=$(basename "$text" .vfm)
    cp "$text" "$work/$name.vfm"
    if "$root/tools/wine-run.sh" "$convert" "C:\\varnel-forms\\$name.vfm" "C:\\varnel-forms\\$name.vff"; then
        cp "$work/$name.vff" "$root/design/$name.vff"
        echo "design/$name.vff"
    else
        echo "design/$name.vfm: not converted" >&2
        status=1
    fi
done
exit $status
