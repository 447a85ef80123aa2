#!/usr/bin/env bash
# Runs the set-DNS end-to-end test: copies the released quorvel.exe and the netsh.exe stand-in
# into one folder, and runs the driver in a sandbox whose namespace has two veth connections.
#   run_set_dns_test.sh QUORVEL_EXE NETSH_STAND_IN TEST_EXE
#
# Wine reads the resolver configuration once per process, so to see that the details are read
# afresh after a success the driver asks for a change of a connection's IPv4 address while the
# message box is open: it writes "DEVICE ADDRESS/PREFIX" to ip_change_request in the folder, and
# the watcher below makes the change in the namespace and answers with ip_change_done.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
folder=$(mktemp -d /tmp/quorvel-setdns.XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$1" "$folder/quorvel.exe"
cp "$2" "$folder/netsh.exe"
export QUORVEL_EXE="$folder/quorvel.exe" QV_FOLDER="$folder" QV_TEST_EXE="$3"

"$repo/scripts/sandbox.sh" --setup "$repo/tests/adapters/fixtures/veth_connections.sh" -- bash -c '
  while sleep 0.05; do
    if [[ -f $QV_FOLDER/ip_change_request ]]; then
      read -r device address <"$QV_FOLDER/ip_change_request"
      rm -f "$QV_FOLDER/ip_change_request"
      ip addr flush dev "$device" && ip addr add "$address" dev "$device" && touch "$QV_FOLDER/ip_change_done"
    fi
  done &
  wine "$QV_TEST_EXE"'
