#!/usr/bin/env bash
# Fuzzes the form-file core (components/Form*.cpp) natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer. Not part of `make test`; run by hand:
#
#   bench/form-fuzz/run.sh [seconds]        (default 600)
#
# Builds into build/form-fuzz/ (FORM_FUZZ_DIR overrides), seeds the corpus with the writers' own
# output, and runs at the lowest priority so it can share the machine with builds. Crashing inputs
# land in build/form-fuzz/crashes/; each one found deserves a regression test in
# tests/controls/FormCoreTest.cpp.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FORM_FUZZ_DIR:-$root/build/form-fuzz}
seconds=${1:-600}

# clang and its runtime (libFuzzer, sanitizers) from the distribution, when missing.
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get install -y clang libclang-rt-14-dev
fi

mkdir -p "$out/corpus" "$out/crashes"
core=("$root/components/FormDocument.cpp" "$root/components/FormBinary.cpp" "$root/components/FormText.cpp")
flags=(-std=c++20 -g -O1 -I"$root" -Wall -Wextra)

clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "$here/FormFuzzTarget.cpp" "${core[@]}" -o "$out/form-fuzz"
clang++ "${flags[@]}" "$here/FormFuzzSeeds.cpp" "${core[@]}" -o "$out/form-seeds"
"$out/form-seeds" "$out/corpus"

echo "fuzzing for $seconds s; corpus $out/corpus, crashes $out/crashes/"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    nice -n 19 "$out/form-fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/crashes/" "$out/corpus"
