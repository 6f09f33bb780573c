#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the demo need.
# Idempotent: when everything is present it only asks dpkg and returns.
# Run as root (CI is root); otherwise it uses sudo for apt.
set -euo pipefail

packages=(
    # Linux build, tests, fuzzing (libFuzzer and the sanitizer runtimes of
    # clang come with libclang-rt-14-dev), benchmarks, the formatter
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config clang-format-14
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # orvhost writes audio files (sox inspects them) and reads its options
    # with CLI11
    libsndfile1-dev sox libcli11-dev
    # libraries of the Linux editor, configuration and update check
    libx11-dev libxext-dev libxtst-dev libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev
    libcurl4-openssl-dev fonts-liberation fonts-dejavu-core
    # Windows cross builds (the -posix thread model) and their zlib
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 libz-mingw-w64-dev
    # Wine runs the Windows test programs, 64- and 32-bit
    wine wine64 wine32:i386
    # real hosts: the plug-in scanners of qtractor and MusE, and a real
    # Linux VST 2 synth to try orvhost on
    qtractor muse amsynth
    # the LV2 bundle: its headers, and lilv (the reference LV2 host library)
    # with its tools to test it
    lv2-dev liblilv-dev lilv-utils serdi
    # X server for editor tests with real windows
    xvfb xauth
    # tools the scripts use
    dpkg-dev file util-linux
    # the release packages: the Windows installer (NSIS), the Debian package's
    # checks and manual page, the guide's HTML page and its numbered picture
    nsis lintian help2man python3-markdown python3-cairo
    # a locale with a decimal comma, compiled by the tests with localedef
    locales
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
# Debian has no libpng for mingw; this builds a static one (at once when
# it is already there) once the cross compilers are installed.
build_mingw_libpng() {
    "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/build-mingw-libpng.sh"
}

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    build_mingw_libpng
    exit 0
fi
echo "install-deps: installing ${missing[*]}"

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
fi

export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -q
as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
build_mingw_libpng
echo "install-deps: done"
