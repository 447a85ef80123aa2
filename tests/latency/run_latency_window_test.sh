#!/usr/bin/env bash
# Runs the latency window test (a Windows executable) under wine in a namespace of its own, where
# the resolver addresses are routed to the TUN ICMP responder. Fails when the namespace or the
# responder cannot be made: this test never runs on the host network.
#
#   run_latency_window_test.sh TEST_EXE [ARG]...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Per address, the answer to the created event's probe, then to the refresh's: delays below the
# 200 ms time-out, a silent resolver, one answering after the time-out, a router's host
# unreachable error, and one that stops answering.
export QV_ICMP_ANSWERS="119.29.29.29=0,25 182.254.116.116=5,0 180.76.76.76=25,5
223.5.5.5=60,150 223.6.6.6=150,60 1.2.4.8=never 202.98.0.68=300 101.226.4.6=unreachable
218.30.118.6=12,never"

exec "$here/../../scripts/sandbox.sh" --no-resolvers --setup "$here/fixtures/resolver_network_setup.sh" \
  -- bash -c 'ip link show dev qvresolvers >/dev/null ||
                { echo "latency test: the ICMP responder device is missing" >&2; exit 1; }
              exec wine "$@"' bash "$@"
