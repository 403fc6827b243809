#!/usr/bin/env bash
# Builds the benchmarks (Release, in ./build-bench) and judges every performance target as the
# ratio of its time to a reference measured in the same run, with the repetitions interleaved
# at random so that other work on the machine falls on both alike.
#
#   tools/bench.sh                 all benchmarks, 5 repetitions
#   tools/bench.sh --callgrind     also the instruction counts of every case (slow, but steady)
#   BENCH_REPETITIONS=9 tools/bench.sh
#   BENCH_FILTER='FormatHeight|ToChars' tools/bench.sh
#
# Exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

callgrind=0
for argument in "$@"; do
    case "$argument" in
    --callgrind) callgrind=1 ;;
    *) echo "unknown option: $argument" >&2; exit 2 ;;
    esac
done

bash tools/packages.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVANTORBEL_BUILD_BENCHMARKS=ON \
    -DVANTORBEL_BUILD_TESTS=ON >/dev/null
cmake --build build-bench -j2 --target vantorbel_bench vantorbel_bench_memory

export QT_QPA_PLATFORM=offscreen
# Start-up is measured with a CUPS printer present: a private scheduler with one PDF queue as
# the default, as the test suite uses. Its set-up needs root.
if [ "$(id -u)" -eq 0 ]; then
    cups_dir="$PWD/build-bench/cups"
    cups_env=$(bash tools/cups-test-env.sh start "$cups_dir")
    trap 'bash tools/cups-test-env.sh stop "$cups_dir"' EXIT
    eval "$cups_env"
else
    echo "bench: not root, so no private CUPS scheduler; start-up is measured with whatever" \
        "print system this machine has" >&2
fi
bin=build-bench/bench
results=build-bench/results
rm -rf "$results"
mkdir -p "$results/callgrind"

"$bin/vantorbel_bench" \
    --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_min_time="${BENCH_MIN_TIME:-0.5}" \
    --benchmark_filter="${BENCH_FILTER:-.}" \
    --benchmark_out="$results/timings.json" --benchmark_out_format=json \
    >"$results/timings.txt" 2>"$results/timings.log"
"$bin/vantorbel_bench_memory" >"$results/memory.json" 2>"$results/memory.log"

if [ "$callgrind" = 1 ]; then
    for case in $("$bin/vantorbel_bench" --list-cases 2>/dev/null); do
        file="$results/callgrind/${case//\//__}"
        valgrind --tool=callgrind --callgrind-out-file="$file.out" \
            "$bin/vantorbel_bench" --ir="$case" >"$file.units" 2>"$file.log"
    done
    for probe in vantorbel_startup_probe:Startup__vantorbel \
        reference_window_probe:Startup__reference_window; do
        file="$results/callgrind/${probe#*:}"
        valgrind --tool=callgrind --callgrind-out-file="$file.out" "$bin/${probe%%:*}" \
            >/dev/null 2>"$file.log"
        echo "units 1" >"$file.units"
    done
fi

python3 bench/judge.py "$results"
