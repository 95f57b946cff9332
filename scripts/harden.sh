#!/usr/bin/env bash
# Hardening stages, run by CI after the test suite; each can be run alone:
#   scripts/harden.sh sanitizers   the whole suite built and run again with AddressSanitizer and UBSan
#   scripts/harden.sh fuzz [secs]  libFuzzer on the word-list reader (clang), 60 seconds unless told otherwise
#   scripts/harden.sh smoke        the real program under Xvfb: splash, menu, every exercise, exit
#   scripts/harden.sh all          the three, in this order
# Expects the set-up of scripts/dev.sh (packages, content/node_modules, build/ with the program).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

sanitizers() {
    local dir="$here/build-asan"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVENZO_SANITIZE=ON
    fi
    # The build runs its own tools (picture renderer, synthesiser); their exit is not what is being checked.
    ASAN_OPTIONS=detect_leaks=0 cmake --build "$dir" -j "$jobs"
    (
        cd "$dir"
        export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
        export LSAN_OPTIONS="suppressions=$here/tests/sanitizers/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
        # The packaging tests check the package, not the code, and start the program on a real X server, where the
        # sanitizer stops at a known overread inside the system's keyboard library (libxkbcommon-x11).
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600 -LE packaging
    )
}

fuzz() {
    local seconds="${1:-60}"
    local dir="$here/build-fuzz"
    if [ ! -f "$dir/build.ninja" ]; then
        CXX=clang++ CC=clang cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DTAVENZO_FUZZ=ON -DTAVENZO_BUILD_TESTS=OFF -DTAVENZO_BUILD_CONTENT=OFF
    fi
    cmake --build "$dir" -j "$jobs" --target word_list_fuzzer
    local corpus
    corpus=$(mktemp -d)
    cp "$here"/tests/fuzz/corpus/* "$corpus/"
    "$dir/tests/fuzz/word_list_fuzzer" "$corpus" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -timeout=10 -rss_limit_mb=1024 2>&1 | tee "$dir/fuzz.log" | grep -E "^(#[0-9]+ +DONE|stat::|INFO: Running|==)" || true
    rm -rf "$corpus"
    # libFuzzer exits non-zero on a finding; the pipeline above hides that, so look at what it wrote.
    if grep -qE "ERROR: (libFuzzer|AddressSanitizer)|SUMMARY: |runtime error" "$dir/fuzz.log"; then
        echo "fuzz: the fuzzer found a fault, see $dir/fuzz.log" >&2
        return 1
    fi
}

smoke() {
    "$here/tests/smoke/smoke.sh" "${TAVENZO_BUILD_DIR:-$here/build}/bin/tavenzo"
}

case "${1:-all}" in
sanitizers) sanitizers ;;
fuzz) fuzz "${2:-60}" ;;
smoke) smoke ;;
all)
    sanitizers
    fuzz 60
    smoke
    ;;
*)
    echo "usage: $0 sanitizers|fuzz [seconds]|smoke|all" >&2
    exit 2
    ;;
esac
