#!/usr/bin/env bash
# The released exe may import only DLLs that Windows always loads from System32 (the KnownDLLs)
# and comctl32, which the manifest binds side by side. Any other import would be resolved from
# the exe's own folder first, so a copy planted there would run elevated.
#   check_imports.sh QUORVEL_EXE
set -euo pipefail
exe=$1
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
oleaut32.dll rpcrt4.dll shell32.dll shlwapi.dll user32.dll ws2_32.dll"
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[[ -n $imports ]] || { echo "FAIL: no import table read from $exe"; exit 1; }
status=0
for dll in $imports; do
  if grep -qw -- "$dll" <<<"$allowed"; then
    echo "ok    $dll"
  else
    echo "FAIL  $dll is neither a KnownDLL nor comctl32"
    status=1
  fi
done
exit $status
