#!/usr/bin/env bash
# The package as an application takes it: installs the build tree into a temporary prefix,
# configures and builds examples/consumer (a project of its own) against it with the same
# toolchain, and runs the consumer under Wine once per destruction order of its linked views and
# once with its window closed before them; then once more built as a program with an application
# manifest of its own (tests/package/own-manifest).
#
#   tools/test-package.sh BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
work=$(mktemp -d "${TMPDIR:-/tmp}/varnel-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# The consumer as it stands, and built as a program with a manifest of its own.
for project in examples/consumer tests/package/own-manifest; do
    out="$work/build/$(basename "$project")"
    cmake -S "$root/$project" -B "$out" -G Ninja \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_PREFIX_PATH="$work/prefix" "${launcher[@]}" >/dev/null
    cmake --build "$out" >/dev/null
done

status=0
# Each program holds one application manifest (resource type 24): the linker would keep a second
# one of the same id beside the first, and which of them the loader takes is not defined.
for project in consumer own-manifest; do
    manifests=$(x86_64-w64-mingw32-objdump -p "$work/build/$project/consumer.exe" |
                grep -E -A1 '^[0-9a-f]+   Entry: ID: 0x000018,' | grep -o 'IDs: [0-9]*' || true)
    echo "== $project: application manifests: ${manifests#IDs: }"
    [ "$manifests" = "IDs: 1" ] || status=1
done
run() {
    echo "== $*"
    if ! "$root/tools/wine-run.sh" "$work/build/$1/consumer.exe" "$2" | tr -d '\r'; then
        status=1
    fi
}
for first in tree list combo window; do
    run consumer "$first"
done
run own-manifest tree
exit $status
