#!/usr/bin/env bash
# Times one QueryAdapters under Wine with 2, 16 and 64 veth connections in a private network
# namespace (each run in a sandbox of its own), beside the bare system calls it cannot avoid made
# in the same process: the two-call GetInterfaceInfo, GetAdaptersAddresses and GetAdaptersInfo,
# and one GetPerAdapterInfo size and fill pair per adapter. Absolute times drift from run to run
# on a busy machine; the ratio ours / bare does not.
#
#   scripts/bench-adapters.sh [BUILD_DIR] [COUNT]...   (defaults: build/windows, 2 16 64)
#
# Prints one line per count: the first call of each (it also loads and starts what the queries
# need), the medians of 20 rounds after it, ours / bare, and our minimum and maximum, in
# milliseconds.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=${1:-build/windows}
shift || true
counts=("$@")
((${#counts[@]})) || counts=(2 16 64)

[[ -f $build/CMakeCache.txt ]] || cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target adapters_bench -- -j2 >/dev/null
bench=$PWD/$build/tests/adapters/adapters_bench.exe

echo "QueryAdapters against the bare calls under $(wine --version 2>/dev/null || echo wine), one call, milliseconds:"
for count in "${counts[@]}"; do
  line=$(QV_VETH_COUNT=$count scripts/sandbox.sh \
    --setup tests/adapters/fixtures/veth_connections.sh -- wine "$bench" "$count" 20)
  printf 'interfaces=%-3s %s\n' "$count" "$line"
done
