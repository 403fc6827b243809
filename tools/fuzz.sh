#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ in ./build-fuzz and runs each for a bounded time.
#     bash tools/fuzz.sh              20 seconds each, for the test command and CI
#     bash tools/fuzz.sh --long 600   600 seconds each
# Every input kept in fuzz/corpus (reproducers of faults found before among them) is first
# replayed on its own. Exits non-zero when any harness finds something; the reproducers are kept in
# build-fuzz/findings/<harness>/. Short runs fuzz a temporary copy of fuzz/corpus, so they
# leave the repository as it was; long runs grow build-fuzz/corpus/<harness> from one run to
# the next.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
long=false
case "${1:-}" in
"") ;;
--long)
    long=true
    seconds=${2:-600}
    ;;
*)
    echo "usage: bash tools/fuzz.sh [--long SECONDS]" >&2
    exit 2
    ;;
esac
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: the time must be a whole number of seconds, not '$seconds'" >&2
    exit 2
fi

harnesses=(fuzz_read_real fuzz_whole_number fuzz_format_height fuzz_project_reader fuzz_round_trip
    fuzz_divide_levels fuzz_fixed_points fuzz_facade)
# Seconds one input may take. The Verdelen arithmetic runs while the user types: a second is
# already a hang there.
declare -A input_seconds=([fuzz_divide_levels]=1 [fuzz_fixed_points]=1 [fuzz_facade]=5)

bash tools/packages.sh
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
summary=()
failed=0
for harness in "${harnesses[@]}"; do
    if $long; then
        corpus="build-fuzz/corpus/$harness"
        mkdir -p "$corpus"
    else
        corpus="$work/corpus-$harness"
        mkdir -p "$corpus"
    fi
    cp -p fuzz/corpus/"$harness"/* "$corpus"/
    findings="build-fuzz/findings/$harness"
    rm -rf "$findings"
    mkdir -p "$findings"
    log="build-fuzz/$harness.log"

    # Every kept input, reproducers of fixed faults among them, runs once on its own first.
    if ! "build-fuzz/$harness" fuzz/corpus/"$harness"/* >"build-fuzz/$harness.replay.log" 2>&1; then
        failed=$((failed + 1))
        echo "$harness: a kept input fails again; the end of build-fuzz/$harness.replay.log:"
        tail -n 40 "build-fuzz/$harness.replay.log"
        summary+=("$harness: a kept input fails")
        continue
    fi
    echo "== $harness: fuzzing for $seconds s"
    status=0
    "build-fuzz/$harness" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout="${input_seconds[$harness]:-10}" \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?
    count=$(find "$findings" -type f | wc -l)
    if [ "$status" -ne 0 ] && [ "$count" -eq 0 ]; then
        # Stopped without leaving an input behind (it could not start, or was killed).
        count=1
    fi
    if [ "$count" -ne 0 ]; then
        failed=$((failed + 1))
        echo "$harness: exit status $status; the end of $log:"
        grep -v -E '^#[0-9]+' "$log" | tail -n 40
        for input in "$findings"/*; do
            [ -f "$input" ] || continue
            echo "reproducer $input ($(stat -c %s "$input") bytes), hex:"
            head -c 512 "$input" | od -An -v -tx1
            echo "rerun: build-fuzz/$harness $input"
        done
    else
        grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$log" | tail -n 2 || true
    fi
    summary+=("$harness: $count findings in $seconds s")
done

for line in "${summary[@]}"; do
    echo "$line"
done
echo "fuzz: $((${#harnesses[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
