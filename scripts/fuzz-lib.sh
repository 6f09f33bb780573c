# Shared by scripts/fuzz-smoke.sh and scripts/fuzz-long: builds the libFuzzer
# targets and judges their logs. Sourced, not run.
#
# The targets are the executables named Fuzz* that fuzz/CMakeLists.txt adds
# when the tree is configured with clang and -DORV_FUZZ=ON: the sanitized
# build of scripts/test (the asan preset, build/asan), so that after
# its asan stage nothing is left to build. Seed inputs for a target live in
# fuzz/corpus/<target>/ when present.

source "$root/scripts/build-lib.sh"
fuzz_build_dir=build/asan

# Configures the tree and builds every fuzz program; fills fuzz_outputs with
# their paths relative to the build folder (bin/FuzzX). Returns 1 when the
# tree has no fuzz targets.
fuzz_build() {
    fuzz_outputs=()
    if ! grep -q 'option(ORV_FUZZ\b' CMakeLists.txt || [ ! -f fuzz/CMakeLists.txt ]; then
        return 1
    fi
    orv_configure asan >/dev/null
    mapfile -t fuzz_outputs < <(ninja -C "$fuzz_build_dir" -t targets all |
        sed -n 's|^\(bin/Fuzz[A-Za-z0-9_]*\):.*|\1|p')
    [ ${#fuzz_outputs[@]} -gt 0 ] || return 1
    ninja -C "$fuzz_build_dir" -j"${ORV_JOBS:-2}" "${fuzz_outputs[@]}"
}

# True when a libFuzzer log ends cleanly: no sanitizer report, crash,
# time-out or leak, and libFuzzer's own "Done" line.
fuzz_log_clean() {  # fuzz_log_clean LOG
    ! grep -qE '^(==[0-9]+==ERROR|SUMMARY: |.*deadly signal|ALARM: working on the last Unit)' "$1" &&
        grep -q '^Done ' "$1"
}

# Runs commands given as arguments JOBS at a time; returns 1 if any failed.
fuzz_parallel() {  # fuzz_parallel JOBS FUNCTION ARG...
    local jobs=$1 fn=$2 running=0 failed=0 arg
    shift 2
    for arg in "$@"; do
        if [ "$running" -ge "$jobs" ]; then
            wait -n || failed=1
            running=$((running - 1))
        fi
        "$fn" "$arg" &
        running=$((running + 1))
    done
    while [ "$running" -gt 0 ]; do
        wait -n || failed=1
        running=$((running - 1))
    done
    return "$failed"
}
