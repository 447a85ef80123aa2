#!/usr/bin/env bash
# Times one QueryAdapters under Wine with 2, 16 and 64 veth connections in a private network
# namespace (each run in a sandbox of its own), so we know how it grows with the adapters.
#
#   scripts/bench-adapters.sh [BUILD_DIR] [COUNT]...   (defaults: build/windows, 2 16 64)
#
# Prints one line per count: the first call (it also loads and starts what the queries need)
# and the median, minimum and maximum of 20 calls after it, in milliseconds.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=${1:-build/windows}
shift || true
counts=("$@")
((${#counts[@]})) || counts=(2 16 64)

[[ -f $build/CMakeCache.txt ]] || cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target adapters_bench -- -j2 >/dev/null
bench=$PWD/$build/tests/adapters/adapters_bench.exe

echo "QueryAdapters under $(wine --version 2>/dev/null || echo wine), one call, milliseconds:"
for count in "${counts[@]}"; do
  line=$(QV_VETH_COUNT=$count scripts/sandbox.sh \
    --setup tests/adapters/fixtures/veth_connections.sh -- wine "$bench" "$count" 20)
  printf 'interfaces=%-3s %s\n' "$count" "$line"
done
