# shellcheck shell=bash
# The build folders scripts/test tests and scripts/package packs (source
# this file): one configuration each, so that the packages hold exactly the
# binaries the tests ran.
#   orv_configure_linux                  build/linux
#   orv_configure_windows 64|32          build/win64, build/win32 (mingw-w64)
#   orv_configure_sanitized              build/asan (clang): the tests under
#                                        AddressSanitizer and UBSan, and the
#                                        libFuzzer targets, from one build
# Extra arguments go to cmake.

orv_configure_linux() {
    cmake -G Ninja -S "$root" -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

orv_configure_windows() {
    local bits=$1
    shift
    # The DLLs link a static libpng built from Debian's source; this returns
    # at once when it is built.
    "$root/scripts/build-mingw-libpng.sh"
    cmake -G Ninja -S "$root" -B "build/win$bits" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw$bits.cmake" -DORV_BUILD_TOOLS=OFF "$@"
}

orv_configure_sanitized() {
    # -O1 keeps the sanitized tests and the fuzzing fast and still reports
    # every bad access; Debug keeps the assertions.
    CC=clang CXX=clang++ cmake -G Ninja -S "$root" -B build/asan -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DORV_SANITIZE=ON -DORV_FUZZ=ON "$@"
}
