#!/usr/bin/env bash
# Benchmark of the latency survey, inside a sandbox namespace whose resolver addresses are
# answered by the TUN ICMP responder (tests/latency/fixtures). Prints:
#   - accuracy: ProbeLatency against iputils ping on the same fixture addresses, per delay, the
#     median and worst difference (ProbeLatency minus ping, probe by probe), and ProbeLatency
#     against the responder's configured delay;
#   - cost: wall time of one RefreshLatencyList when no resolver answers and when all answer,
#     beside the time of the bare system calls a refresh cannot avoid (one open/send/close ICMP
#     echo per address, same addresses and timeout) made in the same process, and ours / bare.
#     Absolute times drift from run to run on a busy machine; the ratio does not.
#
#   scripts/bench-latency.sh            QV_BENCH_PROBES (default 20) probes per delay,
#                                       QV_BENCH_REFRESHES (default 5) refreshes per case
# QV_BENCH_BUILD names an already configured Windows build directory to use instead of the
# windows preset.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

probes=${QV_BENCH_PROBES:-20}
refreshes=${QV_BENCH_REFRESHES:-5}
build_log=$(mktemp /tmp/quorvel-bench-build.XXXXXX)
build_tool() {
  if ! "$@" >>"$build_log" 2>&1; then
    tail -n 40 "$build_log" >&2
    echo "bench: building latency_probe_tool failed (log: $build_log)" >&2
    exit 1
  fi
}
if [[ -n ${QV_BENCH_BUILD:-} ]]; then
  build=$QV_BENCH_BUILD
  build_tool cmake --build "$build" --target latency_probe_tool -- -j2
else
  scripts/install-deps.sh
  build=build/windows
  build_tool cmake --preset windows
  build_tool cmake --build --preset windows --target latency_probe_tool -- -j2
fi
rm -f "$build_log"
tool="$PWD/$build/tests/latency/latency_probe_tool.exe"
[[ -f $tool ]] || { echo "bench: $tool was not built" >&2; exit 1; }

# Accuracy: one address per delay, outside the resolver addresses.
delays=(0 5 25 60 150)
accuracy_addresses=()
answers=()
for i in "${!delays[@]}"; do
  accuracy_addresses+=("10.77.1.$((i + 1))")
  answers+=("10.77.1.$((i + 1))=${delays[$i]}")
done

# Cost: each resolver is silent for the first refreshes, then answers for as many more. Every
# round asks each address twice, once by the refresh and once by the bare calls.
source scripts/resolver_addresses.sh
round_trips=(27 34 19 8 11 46 22 31 58)
for i in "${!QV_RESOLVER_ADDRESSES[@]}"; do
  sequence=$(printf 'never,%.0s' $(seq $((2 * refreshes))))
  answers+=("${QV_RESOLVER_ADDRESSES[$i]}=${sequence}${round_trips[$i]}")
done

results=$(mktemp -d /tmp/quorvel-bench.XXXXXX)
trap 'rm -rf "$results"' EXIT
export QV_ICMP_ANSWERS="${answers[*]}" QV_BENCH_RESULTS="$results" QV_BENCH_TOOL="$tool"
export QV_BENCH_PROBES="$probes" QV_BENCH_REFRESHES="$refreshes"
export QV_BENCH_ADDRESSES="${accuracy_addresses[*]}"
scripts/sandbox.sh --no-resolvers --setup tests/latency/fixtures/resolver_network_setup.sh -- bash -c '
  set -euo pipefail
  ip link show dev qvresolvers >/dev/null
  for address in $QV_BENCH_ADDRESSES; do
    ping -n -c "$QV_BENCH_PROBES" -i 0.2 -W 1 "$address" >"$QV_BENCH_RESULTS/ping-$address" || true
  done
  wine "$QV_BENCH_TOOL" probe "$QV_BENCH_PROBES" 200 $QV_BENCH_ADDRESSES >"$QV_BENCH_RESULTS/probe"
  wine "$QV_BENCH_TOOL" refresh $((2 * QV_BENCH_REFRESHES)) >"$QV_BENCH_RESULTS/refresh"
'

python3 - "$results" "${delays[*]}" "${accuracy_addresses[*]}" "$refreshes" \
  "${round_trips[*]}" <<'PYTHON'
import re
import statistics
import sys

results, delays, addresses, refreshes, round_trips = sys.argv[1:]
delays = [int(d) for d in delays.split()]
addresses = addresses.split()
refreshes = int(refreshes)
round_trips = [int(r) for r in round_trips.split()]

probe = {a: [] for a in addresses}
for line in open(f"{results}/probe"):
    address, value = line.split()
    probe[address].append(int(value))

print("Accuracy: ProbeLatency against iputils ping, same fixture addresses and delays")
print(f"{'delay':>6} {'probes':>6} {'ping median':>12} {'probe median':>13} "
      f"{'probe-ping median':>18} {'worst':>7} {'probe-delay median':>19} {'worst':>6}")
for delay, address in zip(delays, addresses):
    ping = [float(t) for t in re.findall(r"time=([0-9.]+) ms", open(f"{results}/ping-{address}").read())]
    ours = probe[address]
    lost = sum(1 for v in ours if v < 0)
    answered = [v for v in ours if v >= 0]
    pairs = [o - p for o, p in zip(answered, ping)]
    off = [o - delay for o in answered]
    if not pairs or not off:
        print(f"{delay:>4}ms  no replies (ping {len(ping)}, probe {len(answered)})")
        continue
    worst_pair = max(pairs, key=abs)
    worst_off = max(off, key=abs)
    print(f"{delay:>4}ms {len(answered):>6} {statistics.median(ping):>10.3f}ms "
          f"{statistics.median(answered):>11.1f}ms {statistics.median(pairs):>+16.3f}ms "
          f"{worst_pair:>+6.3f} {statistics.median(off):>+17.1f}ms {worst_off:>+6d}"
          + (f"   ({lost} probes without reply)" if lost else ""))

rows = [[int(v) for v in line.split()] for line in open(f"{results}/refresh")]
ours = [r[0] / 1000 for r in rows]
sums = [r[1] for r in rows]
answered = [r[2] for r in rows]
bare = [r[3] / 1000 for r in rows]
bare_answered = [r[4] for r in rows]


def report(title, first, last, note):
    # The first refresh of the process also starts Windows Sockets: it is left out of the medians
    # when there are others.
    start = first + 1 if last - first > 1 else first
    o = statistics.median(ours[start:last])
    b = statistics.median(bare[start:last])
    print(f"  {title}: {note}")
    print(f"    ours median {o:.1f} ms (worst {max(ours[start:last]):.1f}), bare median {b:.1f} ms "
          f"(worst {max(bare[start:last]):.1f}); ours / bare = {o / b:.3f}; "
          f"answered cells {min(answered[first:last])}..{max(answered[first:last])}, "
          f"bare replies {min(bare_answered[first:last])}..{max(bare_answered[first:last])}")
    return o / b


print()
print(f"Cost of one RefreshLatencyList against the bare system calls it cannot avoid (nine "
      f"IcmpCreateFile/IcmpSendEcho/IcmpCloseHandle, {refreshes} rounds per case, medians)")
print(f"  first refresh of the process (also starts Windows Sockets): {ours[0]:.1f} ms")
report("nothing answers", 0, refreshes, "floor 9 x 200 = 1800 ms (the empty secondary is not probed)")
configured = sum(round_trips)
report("all nine answer", refreshes, 2 * refreshes,
       f"floor = sum of the round trips, {configured} ms configured "
       f"(shown sums {min(sums[refreshes:])}..{max(sums[refreshes:])} ms)")
PYTHON
