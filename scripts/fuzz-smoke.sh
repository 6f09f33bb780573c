#!/usr/bin/env bash
# A short libFuzzer run of every fuzz target, as part of scripts/test.
#
# Seed inputs in fuzz/corpus/<target>/ are only read; new inputs go to a
# scratch folder. Without fuzz targets the script skips cleanly.
#
# ORV_FUZZ_SECONDS (default 10) is the time given to each target.
set -euo pipefail

root=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
cd "$root"
source scripts/fuzz-lib.sh
seconds=${ORV_FUZZ_SECONDS:-10}

if ! fuzz_build; then
    echo "fuzz: skipped, the CMake tree has no fuzz targets (ORV_FUZZ option, Fuzz* programs in fuzz/)"
    exit 0
fi

scratch=$(mktemp -d /tmp/orv-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# A crash, leak or time-out makes libFuzzer exit non-zero; it saves the
# input that did it in the build folder.
fuzz_one() {  # fuzz_one OUTPUT
    local name corpus
    name=$(basename "$1")
    corpus=("$scratch/$name")
    mkdir -p "$scratch/$name"
    [ -d "fuzz/corpus/$name" ] && corpus+=("fuzz/corpus/$name")
    "$fuzz_build_dir/$1" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$root/$fuzz_build_dir/$name-" "${corpus[@]}" >"$scratch/$name.log" 2>&1
}

jobs=${ORV_JOBS:-2}
echo "fuzz: ${#fuzz_outputs[@]} targets, ${seconds}s each, $jobs at a time"
failed=0
fuzz_parallel "$jobs" fuzz_one "${fuzz_outputs[@]}" || failed=1

for output in "${fuzz_outputs[@]}"; do
    name=$(basename "$output")
    log="$scratch/$name.log"
    if ! fuzz_log_clean "$log"; then
        tail -n 60 "$log" >&2
        echo "fuzz: FAIL $name (the input is saved as $fuzz_build_dir/$name-*)" >&2
        failed=1
    else
        echo "fuzz: $name $(sed -n 's/^Done \([0-9]*\) runs.*/\1 runs/p' "$log"), \
$(sed -n 's/^stat::new_units_added: *//p' "$log") new inputs"
    fi
done
if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "fuzz: ${#fuzz_outputs[@]} targets ran ${seconds}s each without a finding"
