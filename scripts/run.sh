#!/usr/bin/env bash
# Builds quorvel.exe and runs it under Wine in a private network namespace where the resolver
# addresses are answered by a simulated network (varied round-trip times, one silent resolver) and
# two simulated connections carry MAC, IPv4 and DNS settings.
#
# With a DISPLAY the window opens for you; close it as usual. Without one the script starts Xvfb,
# waits for the window, saves a screenshot (its path is printed), presses Esc and exits with the
# program's exit code.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quorvel quorvel_window_tool -- -j2

build=build/windows
screenshot="$PWD/build/screenshots/quorvel.png"
mkdir -p "$(dirname "$screenshot")"

setups=()
# The connections first, so that they come before the resolvers' TUN device in the list.
for setup in tests/adapters/fixtures/run_adapters_setup.sh tests/latency/fixtures/run_network_setup.sh; do
  [[ -f $setup ]] && setups+=(--setup "$setup")
done
resolvers=()
[[ -f tests/latency/fixtures/run_network_setup.sh ]] && resolvers=(--no-resolvers)

export QV_EXE="$PWD/$build/quorvel.exe"
export QV_TOOL="$PWD/$build/tests/e2e/quorvel_window_tool.exe"
export QV_SCREENSHOT="$screenshot"
if [[ -n ${DISPLAY:-} ]]; then
  exec scripts/sandbox.sh "${setups[@]}" "${resolvers[@]}" -- wine "$QV_EXE"
fi
exec scripts/sandbox.sh "${setups[@]}" "${resolvers[@]}" -- bash scripts/run-headless.sh
