#!/usr/bin/env bash
# Runs the set-DNS end-to-end driver: the released quorvel.exe in a folder of its own with files
# planted beside it (decoy DLLs, a netsh.exe that must never run), the recording stand-in as the
# prefix's System32 netsh, and a sandbox whose namespace has two veth connections.
#   run_set_dns_test.sh QUORVEL_EXE NETSH_STAND_IN TEST_EXE [PLANTED_FILE]...
#
# The driver asks this script's watcher, through files in the exe's folder, for what only the
# namespace or the display can do:
#   ip_change_request "DEVICE ADDRESS/PREFIX"  gives a connection a new IPv4 address (Wine reads
#                                              the resolver configuration only once per process),
#                                              answered with ip_change_done;
#   input_request "XDOTOOL ARGS"               real input on the test's display, answered with
#                                              input_done;
#   resolv_request "SERVER..."                 the namespace's nameservers from now on, answered
#                                              with resolv_done. Wine reads them once per process,
#                                              so only a program started afterwards sees them.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
folder=$(mktemp -d /tmp/quorvel-setdns.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/quorvel.exe"
stand_in=$2
export QV_TEST_EXE=$3
shift 3
for planted in "$@"; do cp "$planted" "$folder/"; done
export QUORVEL_EXE="$folder/quorvel.exe" QV_FOLDER="$folder"
# Under these overrides Wine loads a planted copy of these DLLs wherever a search reaches it.
export WINEDLLOVERRIDES="iphlpapi,icmp,mprapi=n,b"

"$repo/scripts/sandbox.sh" --setup "$repo/tests/adapters/fixtures/veth_connections.sh" -- \
  bash "$repo/tests/tools/with_netsh_stand_in.sh" "$stand_in" bash -c '
  while sleep 0.05; do
    if [[ -f $QV_FOLDER/ip_change_request ]]; then
      read -r device address <"$QV_FOLDER/ip_change_request"
      rm -f "$QV_FOLDER/ip_change_request"
      ip addr flush dev "$device" && ip addr add "$address" dev "$device" && touch "$QV_FOLDER/ip_change_done"
    fi
    if [[ -f $QV_FOLDER/input_request ]]; then
      read -r -a input <"$QV_FOLDER/input_request"
      rm -f "$QV_FOLDER/input_request"
      xdotool "${input[@]}" && touch "$QV_FOLDER/input_done"
    fi
    if [[ -f $QV_FOLDER/resolv_request ]]; then
      read -r -a servers <"$QV_FOLDER/resolv_request"
      rm -f "$QV_FOLDER/resolv_request"
      printf "nameserver %s\n" "${servers[@]}" >"$QV_RESOLV_CONF" && touch "$QV_FOLDER/resolv_done"
    fi
  done &
  wine "$QV_TEST_EXE"'
