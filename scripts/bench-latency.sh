#!/usr/bin/env bash
# Benchmark of the latency survey, inside a sandbox namespace whose resolver addresses are
# answered by the TUN ICMP responder (tests/latency/fixtures). Prints:
#   - accuracy: ProbeLatency against iputils ping on the same fixture addresses, per delay, the
#     median and worst difference (ProbeLatency minus ping, probe by probe), and ProbeLatency
#     against the responder's configured delay;
#   - cost: wall time of one RefreshLatencyList when no resolver answers (bound 10 x 200 ms) and
#     when all answer (floor: the sum of the round trips), and the overhead above the floor.
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

# Cost: each resolver is silent for the first refreshes, then answers for as many more.
source scripts/resolver_addresses.sh
round_trips=(27 34 19 8 11 46 22 31 58)
for i in "${!QV_RESOLVER_ADDRESSES[@]}"; do
  sequence=$(printf 'never,%.0s' $(seq "$refreshes"))
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

rows = [line.split() for line in open(f"{results}/refresh")]
walls = [int(r[0]) / 1000 for r in rows]
sums = [int(r[1]) for r in rows]
answered = [int(r[2]) for r in rows]
silent, answering = walls[:refreshes], walls[refreshes:]
print()
print(f"Cost of one RefreshLatencyList ({refreshes} refreshes per case; the first refresh of the "
      "process also starts Windows Sockets and binds icmp.dll)")
floor = 9 * 200
print(f"  nothing answers: floor 9 x 200 = {floor} ms (the empty secondary is not probed; "
      f"bound 10 x 200 = 2000 ms)")
print(f"    first {silent[0]:.1f} ms, then median {statistics.median(silent[1:] or silent):.1f} ms, "
      f"worst {max(silent):.1f} ms; overhead above the floor: median "
      f"{statistics.median(silent[1:] or silent) - floor:+.1f} ms, worst {max(silent) - floor:+.1f} ms"
      f"; answered cells {max(answered[:refreshes])}")
configured = sum(round_trips)
shown = sums[refreshes:]
overheads = [w - s for w, s in zip(answering, shown)]
print(f"  all nine answer: floor = sum of the round trips, {configured} ms configured "
      f"(shown sums {min(shown)}..{max(shown)} ms)")
print(f"    median {statistics.median(answering):.1f} ms, worst {max(answering):.1f} ms; overhead "
      f"above the shown sum: median {statistics.median(overheads):+.1f} ms, worst "
      f"{max(overheads):+.1f} ms ({statistics.median(overheads) / 9:.2f} ms per probe); "
      f"answered cells {min(answered[refreshes:])}")
PYTHON
