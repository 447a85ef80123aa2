#!/usr/bin/env bash
# Checks that a built quorvel.exe is fit to ship:
#   check_release_exe.sh QUORVEL_EXE VERSION OBJDUMP WINDRES
# - PE header: subsystem and OS version 6.0 or later, ASLR (DYNAMIC_BASE, HIGH_ENTROPY_VA) and DEP
#   (NX_COMPAT), time stamp 0 (no link time, so builds compare equal);
# - stripped: no symbol table, no debug sections, no debug directory;
# - one self-contained file: it imports system DLLs only (no libstdc++, libgcc or winpthread);
# - a VERSIONINFO resource with VERSION as its file and product version, and the texts of the
#   file properties.
set -uo pipefail
exe=$1 version=$2 objdump=$3 windres=$4
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

headers=$(TZ=UTC "$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }

for part in Subsystem OSystem; do
  major=$(field "Major${part}Version")
  minor=$(field "Minor${part}Version")
  if [[ -z $major ]] || ((major < 6)); then
    fail "${part} version is $major.$minor, not 6.0 or later"
  fi
done
[[ $(field Subsystem) == 00000002 ]] || fail "subsystem is $(field Subsystem), not 2 (Windows GUI)"
grep -q 'Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$headers" ||
  fail "the header carries a time stamp: $(grep 'Time/Date' <<<"$headers")"

dll_flags=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$headers")
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
  grep -qw "$flag" <<<"$dll_flags" || fail "DllCharacteristics lacks $flag"
done

grep -q 'symbols stripped' <<<"$headers" || fail "the symbol table is not stripped"
grep -Eq '^Entry 6 0+ 0+ Debug Directory' <<<"$headers" || fail "the exe has a debug directory"
sections=$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ { print $2 }')
debug_sections=$(grep '^\.debug' <<<"$sections" | tr '\n' ' ')
[[ -z $debug_sections ]] || fail "debug sections: $debug_sections"

# System DLLs only: the C runtime (msvcrt) and the Win32 API; anything else would have to ship
# beside the exe or could be planted there.
system_dlls=' advapi32.dll comctl32.dll gdi32.dll iphlpapi.dll kernel32.dll msvcrt.dll shell32.dll user32.dll ws2_32.dll '
imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sort -u)
[[ -n $imports ]] || fail "no import table found"
for dll in $imports; do
  [[ $system_dlls == *" $dll "* ]] || fail "imports $dll, which is not a system DLL"
done

resources=$("$windres" -i "$exe" -O rc 2>&1) || fail "windres cannot read the resources: $resources"
numbers="${version//./, }"
while [[ $(tr -cd , <<<"$numbers" | wc -c) -lt 3 ]]; do numbers+=", 0"; done
grep -q "^1 VERSIONINFO" <<<"$resources" || fail "no VERSIONINFO resource"
grep -q "^ FILEVERSION $numbers\$" <<<"$resources" || fail "FILEVERSION is not $numbers"
grep -q "^ PRODUCTVERSION $numbers\$" <<<"$resources" || fail "PRODUCTVERSION is not $numbers"
for value in "FileVersion\", \"$version" "ProductVersion\", \"$version" "ProductName\", \"Quorvel" \
  "OriginalFilename\", \"quorvel.exe"; do
  grep -qF "VALUE \"$value\"" <<<"$resources" || fail "no VALUE \"$value\" in the version resource"
done
for name in FileDescription LegalCopyright; do
  grep -Eq "VALUE \"$name\", \"[^\"]+\"" <<<"$resources" || fail "no $name in the version resource"
done
grep -q "assemblyIdentity type=\"\"win32\"\" name=\"\"Quorvel\"\" version=\"\"$version" \
  <<<"$resources" || fail "the manifest does not name version $version"

if ((failures)); then
  echo "$exe: $failures check(s) failed"
  exit 1
fi
echo "$exe: subsystem $(field MajorSubsystemVersion).$(field MinorSubsystemVersion)," \
  "ASLR, high-entropy ASLR and DEP on, stripped, imports $(paste -sd " " <<<"$imports")," \
  "version $version"
