#!/usr/bin/env bash
# Runs a Wine test executable of the adapter inventory in a sandbox whose veth connections are
# made from fixtures/veth_connections.txt, and gives it the expected connections, in the order
# they are made, as NAME|MAC|FIRST_IPV4|DNS1|DNS2 arguments.
#
#   bash wine_adapters_test.sh EXE [ARG]...
#
# Fails loudly when the namespace or its connections cannot be made.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
shift
table=$here/fixtures/veth_connections.txt

mapfile -t nameservers < <(awk '$1 == "nameserver" {print $2}' "$table")
expected=()
while read -r name mac addresses; do
  mac=${mac^^}
  first=${addresses%%,*}
  expected+=("$name|${mac//:/-}|${first%/*}|${nameservers[0]:-}|${nameservers[1]:-}")
done < <(awk '$1 == "connection" {print $2, $3, $4}' "$table")

export QV_VETH_TABLE=$table
exec "$here/../../scripts/sandbox.sh" --setup "$here/fixtures/veth_connections.sh" -- \
  wine "$exe" "$@" "${expected[@]}"
