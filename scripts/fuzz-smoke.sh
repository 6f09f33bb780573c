#!/usr/bin/env bash
# A short libFuzzer run of every fuzz target, as part of scripts/test.
#
# The targets are the executables named Fuzz* that fuzz/CMakeLists.txt adds
# when the tree is configured with clang and -DORV_FUZZ=ON (build/fuzz).
# Seed inputs for a target live in fuzz/corpus/<target>/ when present; they
# are only read, new inputs go to a scratch folder. Without fuzz targets the
# script skips cleanly.
#
# ORV_FUZZ_SECONDS (default 30) is the time given to each target.
set -euo pipefail

root=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$root"
seconds=${ORV_FUZZ_SECONDS:-30}
build_dir=build/fuzz

if ! grep -q 'option(ORV_FUZZ\b' CMakeLists.txt || [ ! -f fuzz/CMakeLists.txt ]; then
    echo "fuzz: skipped, the CMake tree has no fuzz targets yet (ORV_FUZZ option, fuzz/CMakeLists.txt)"
    exit 0
fi

CC=clang CXX=clang++ cmake -G Ninja -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORV_FUZZ=ON -DORV_BUILD_TESTS=OFF -DORV_BUILD_TOOLS=OFF
# Only the fuzz programs (and what they link) are built here.
mapfile -t outputs < <(ninja -C "$build_dir" -t targets all | sed -n 's|^\(bin/Fuzz[A-Za-z0-9_]*\):.*|\1|p')
if [ ${#outputs[@]} -eq 0 ]; then
    echo "fuzz: skipped, fuzz/CMakeLists.txt adds no Fuzz* programs"
    exit 0
fi
ninja -C "$build_dir" -j"${ORV_JOBS:-2}" "${outputs[@]}"

scratch=$(mktemp -d /tmp/orv-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# One libFuzzer process per core. A crash, leak or time-out makes libFuzzer
# exit non-zero; it saves the input that did it in the build folder.
fuzz_one() {  # fuzz_one OUTPUT
    local name corpus
    name=$(basename "$1")
    corpus=("$scratch/$name")
    mkdir -p "$scratch/$name"
    [ -d "fuzz/corpus/$name" ] && corpus+=("fuzz/corpus/$name")
    "$build_dir/$1" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$root/$build_dir/$name-" "${corpus[@]}" >"$scratch/$name.log" 2>&1
}

jobs=${ORV_JOBS:-2}
running=0
failed=0
echo "fuzz: ${#outputs[@]} targets, ${seconds}s each, $jobs at a time"
for output in "${outputs[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    fuzz_one "$output" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done

for output in "${outputs[@]}"; do
    name=$(basename "$output")
    log="$scratch/$name.log"
    if grep -qE '^(==[0-9]+==ERROR|SUMMARY: |.*deadly signal|ALARM: working on the last Unit)' "$log" ||
        ! grep -q '^Done ' "$log"; then
        tail -n 60 "$log" >&2
        echo "fuzz: FAIL $name (the input is saved as $build_dir/$name-*)" >&2
        failed=1
    else
        echo "fuzz: $name $(sed -n 's/^Done \([0-9]*\) runs.*/\1 runs/p' "$log"), \
$(sed -n 's/^stat::new_units_added: *//p' "$log") new inputs"
    fi
done
if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "fuzz: ${#outputs[@]} targets ran ${seconds}s each without a finding"
