#!/usr/bin/env bash
# Builds Vantorbel and its tests with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer in ./build-asan and runs the whole suite there. Fails on any failing
# test and on any sanitizer report. The CUPS cases run only when the caller has set up the
# environment of tools/cups-test-env.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/packages.sh

build=build-asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2

# AddressSanitizer also writes each report to a file here, so that one from a process whose exit
# status nobody checks still fails the run. UndefinedBehaviorSanitizer ignores log_path when it
# runs together with AddressSanitizer; it ends the process with a failing status instead.
reports="$PWD/$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"

export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
suppressions="$PWD/tests/reliability/lsan.supp"
if [ -f "$suppressions" ]; then
    export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0"
fi
export QT_QPA_PLATFORM=offscreen

status=0
# The package test installs a package on this machine; the regular build runs it once.
ctest --test-dir "$build" --output-on-failure -j2 -E "^DebianPackage\." || status=$?

if [ -n "$(ls -A "$reports")" ]; then
    for report in "$reports"/*; do
        echo "==== $report"
        cat "$report"
    done
    echo "sanitize: sanitizer reports above" >&2
    status=1
fi
exit "$status"
