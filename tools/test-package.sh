#!/usr/bin/env bash
# The package as an application takes it: installs the build tree into a temporary prefix,
# configures and builds examples/consumer (a project of its own) against it with the same
# toolchain, and runs the consumer under Wine once per destruction order of its linked views and
# once with its window closed before them.
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
cmake -S "$root/examples/consumer" -B "$work/build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$work/prefix" "${launcher[@]}" >/dev/null
cmake --build "$work/build" >/dev/null

status=0
for first in tree list combo window; do
    echo "== consumer $first"
    if ! "$root/tools/wine-run.sh" "$work/build/consumer.exe" "$first" | tr -d '\r'; then
        status=1
    fi
done
exit $status
