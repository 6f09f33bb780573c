#!/usr/bin/env bash
# Checks a plug-in DLL the way a Windows host will meet it:
#  - it exports exactly VSTPluginMain and main, nothing else;
#  - it imports only DLLs that every Windows installation has (no mingw
#    runtime such as libstdc++-6.dll, libgcc_s_*.dll, libwinpthread-1.dll,
#    and no zlib1.dll or libpng16.dll beside it).
# Usage: scripts/check-windows-dll.sh build/win64/bin/orv64.dll
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PLUGIN.dll" >&2
    exit 2
fi
dll=$1

# Either objdump reads both PE formats; pick the one that matches anyway.
headers=""
for objdump in x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump; do
    if headers=$("$objdump" -p "$dll" 2>/dev/null); then
        break
    fi
done
if [ -z "$headers" ]; then
    echo "FAIL $dll: not a PE file objdump can read" >&2
    exit 1
fi

exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
               table && /^[[:space:]]*$/          { table = 0 }
               table { sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print }' <<<"$headers" | sort)
imports=$(awk -F': ' '/^[[:space:]]*DLL Name:/ { print $2 }' <<<"$headers" | sort -u)

# Present on every Windows since XP/7, or resolved by the system loader.
system_dll='^(kernel32|user32|gdi32|msvcrt|advapi32|shell32|comdlg32|comctl32|wininet|ole32|oleaut32|shlwapi|winmm|imm32|version|msimg32|uxtheme|ws2_32|bcrypt|ntdll|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'

failed=0
expected=$(printf 'VSTPluginMain\nmain\n' | sort)
if [ "$exports" != "$expected" ]; then
    echo "FAIL $dll: exports must be exactly VSTPluginMain and main; found:" >&2
    sed 's/^/    /' <<<"${exports:-(none)}" >&2
    failed=1
fi
while IFS= read -r name; do
    [ -n "$name" ] || continue
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$name")
    if ! [[ $lower =~ $system_dll ]]; then
        echo "FAIL $dll: imports $name, which is not a Windows system DLL (link it statically)" >&2
        failed=1
    fi
done <<<"$imports"

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "ok   $dll: exports VSTPluginMain, main; imports $(tr '\n' ' ' <<<"$imports")"
