#!/usr/bin/env bash
# Builds a static libpng for the two mingw-w64 targets; Debian ships none.
#
# The source is Debian's own libpng1.6 of bookworm (apt-get source), built
# with the cross compilers against the mingw zlib of libz-mingw-w64-dev.
# Result, outside the source tree:
#   $ORV_MINGW_DEPS/<triplet>/include/{png.h,pngconf.h,pnglibconf.h}
#   $ORV_MINGW_DEPS/<triplet>/lib/libpng.a
# ORV_MINGW_DEPS defaults to /opt/orv-mingw. Idempotent: returns at once
# when both libraries are there. Needs root (or sudo) for apt.
set -euo pipefail

deps=${ORV_MINGW_DEPS:-/opt/orv-mingw}
triplets=(x86_64-w64-mingw32 i686-w64-mingw32)
# The libpng sources that make up the library (no tools, no tests).
sources=(png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c pngrutil.c
         pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)

built() {
    local triplet=$1
    [ -f "$deps/$triplet/.orv-built" ] && [ -f "$deps/$triplet/lib/libpng.a" ]
}

needed=()
for triplet in "${triplets[@]}"; do
    built "$triplet" || needed+=("$triplet")
done
if [ ${#needed[@]} -eq 0 ]; then
    echo "build-mingw-libpng: present in $deps"
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Source packages: a deb-src twin of the system's own Debian sources.
src_list=/etc/apt/sources.list.d/orv-deb-src.sources
if [ ! -f "$src_list" ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$src_list" >/dev/null
    as_root apt-get update -q
fi

work=$(mktemp -d /tmp/orv-libpng.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The unpinned name fails (no candidate); the suite-qualified one works.
(cd "$work" && apt-get source -q libpng1.6/bookworm >/dev/null)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)
if [ -z "$src" ] || [ ! -f "$src/png.c" ]; then
    echo "build-mingw-libpng: the libpng source did not unpack under $work" >&2
    exit 1
fi
# The default configuration, as libpng's own build would generate it.
cp "$src/scripts/pnglibconf.h.prebuilt" "$src/pnglibconf.h"

for triplet in "${needed[@]}"; do
    echo "build-mingw-libpng: building for $triplet"
    objects="$work/obj-$triplet"
    mkdir -p "$objects"
    for source in "${sources[@]}"; do
        "$triplet-gcc-posix" -O2 -DNDEBUG -I"$src" -c "$src/$source" -o "$objects/${source%.c}.o"
    done
    as_root mkdir -p "$deps/$triplet/include" "$deps/$triplet/lib"
    rm -f "$objects/libpng.a"
    "$triplet-ar" rcs "$objects/libpng.a" "$objects"/*.o
    as_root install -m 644 "$objects/libpng.a" "$deps/$triplet/lib/libpng.a"
    as_root install -m 644 "$src/png.h" "$src/pngconf.h" "$src/pnglibconf.h" "$deps/$triplet/include/"
    as_root touch "$deps/$triplet/.orv-built"
done
echo "build-mingw-libpng: done, in $deps"
