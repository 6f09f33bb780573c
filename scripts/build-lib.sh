# shellcheck shell=bash
# The build folders scripts/test tests and scripts/package packs (source
# this file). Each is a preset of CMakePresets.json, which holds every
# build configuration; the packages hold exactly the binaries the tests ran.
#   orv_configure linux        build/linux (RelWithDebInfo)
#   orv_configure asan         build/asan (clang): the tests under
#                              AddressSanitizer and UBSan, and the libFuzzer
#                              targets, from one build
#   orv_configure tsan         build/tsan (ThreadSanitizer)
#   orv_configure win64|win32  build/win64, build/win32 (mingw-w64)
# Extra arguments go to cmake.

orv_configure() {
    local preset=$1
    shift
    case $preset in
        win64 | win32)
            # The DLLs link a static libpng built from Debian's source; this
            # returns at once when it is built.
            "$root/scripts/build-mingw-libpng.sh" ;;
    esac
    (cd "$root" && cmake --preset "$preset" "$@")
}
