#!/usr/bin/env bash
# Inside a sandbox (scripts/sandbox.sh): makes STAND_IN the netsh.exe of the Wine prefix's System32
# folder, the only netsh the program starts, then runs COMMAND.
#   with_netsh_stand_in.sh STAND_IN COMMAND [ARG]...
# Without the override Wine runs its builtin netsh, which exits 0 and changes nothing.
set -euo pipefail
[[ -n ${WINEPREFIX:-} && -n ${QV_NETNS:-} ]] || { echo "with_netsh_stand_in: run me inside scripts/sandbox.sh" >&2; exit 2; }
stand_in=$1
shift
system32="$WINEPREFIX/drive_c/windows/system32"
[[ -d $system32 ]] || { echo "with_netsh_stand_in: no System32 folder in $WINEPREFIX" >&2; exit 1; }
# The prefix is made of hard links to a shared template: replace the link, never write through it.
rm -f "$system32/netsh.exe"
cp "$stand_in" "$system32/netsh.exe"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}netsh.exe=n"
exec "$@"
