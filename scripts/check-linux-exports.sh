#!/usr/bin/env bash
# Checks that the Linux plug-in exports exactly the two entry points hosts
# look up, VSTPluginMain and main, as functions, and no other dynamic symbol.
# Usage: scripts/check-linux-exports.sh build/linux/bin/orv.so
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PLUGIN.so" >&2
    exit 2
fi
so=$1

if ! symbols=$(nm -D --defined-only "$so" 2>&1); then
    echo "FAIL $so: nm cannot read it: $symbols" >&2
    exit 1
fi
# Markers the linker adds to every shared object; they carry no code.
symbols=$(awk 'NF >= 3 && $3 !~ /^(_init|_fini|__bss_start|_edata|_end)$/ { print $2, $3 }' <<<"$symbols" | sort -k2)

expected=$(printf 'T VSTPluginMain\nT main\n' | sort -k2)
if [ "$symbols" != "$expected" ]; then
    echo "FAIL $so: dynamic symbols must be exactly the functions VSTPluginMain and main; found:" >&2
    sed 's/^/    /' <<<"${symbols:-(none)}" >&2
    exit 1
fi
echo "ok   $so: exports VSTPluginMain, main"
