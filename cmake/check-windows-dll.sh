#!/usr/bin/env bash
# Checks a cross-built Windows plug-in: it exports exactly VSTPluginMain and
# main, imports nothing beyond Windows' own DLLs, and (32-bit) the project's
# own objects do no arithmetic on the x87 unit (loads and stores of x87
# registers remain: that is how the 32-bit ABI returns float and double).
#   check-windows-dll.sh DLL OBJDUMP OBJECT_DIR
set -euo pipefail
dll=$1 objdump=$2 objects=$3
[ -f "$dll" ] || { echo "missing $dll (run 'make windows')"; exit 1; }

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -oE '^\s*\[ *[0-9]+\] [A-Za-z_][A-Za-z0-9_@]*' | awk '{print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "VSTPluginMain main " ] || { echo "$dll exports: '$exports'"; exit 1; }

imports=$("$objdump" -p "$dll" | awk '/DLL Name:/ {print tolower($3)}' | sort -u | tr '\n' ' ')
for name in $imports; do
  case "$name" in
    kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|advapi32.dll|shell32.dll|ole32.dll|gdiplus.dll|setupapi.dll|comdlg32.dll) ;;
    *) echo "$dll needs $name beside Windows' own DLLs"; exit 1 ;;
  esac
done

x87=$(find "$objects" -name '*.obj' -path '*CMakeFiles*' ! -path '*CMakeTmp*' -print0 | xargs -0 -r "$objdump" -d \
      | awk -F'\t' '{print $3}' | awk '{print $1}' \
      | grep -E '^f(add|sub|mul|div|sqrt|abs|chs|com|ucom|ild|ist|xch|prem|scale|rndint|sin|cos|yl2x|2xm1)' || true)
if [ -n "$x87" ]; then echo "x87 arithmetic in the project's objects:"; echo "$x87" | sort | uniq -c; exit 1; fi
# The eight-lane passes are there, and no aligned 32-byte move is left in
# them: mingw-w64's GCC does not keep 32-byte stack slots aligned, so the
# assembler must have rewritten every such move as an unaligned one.
code=$("$objdump" -d "$dll")
grep -q 'ymm' <<<"$code" || { echo "$dll has no AVX2 passes"; exit 1; }
aligned=$(grep -cE 'vmov(aps|apd|dqa)[[:space:]].*ymm' <<<"$code" || true)
[ "$aligned" = 0 ] || { echo "$dll: $aligned aligned 32-byte moves"; exit 1; }

echo "$dll: exports [$exports], imports [$imports], no x87 arithmetic, AVX2 passes with unaligned moves only"
