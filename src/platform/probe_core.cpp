#include "platform/probe_core.h"

#include <limits>

namespace platform {

std::int32_t ProbeLatencyWith(ProbeSession& session, const ProbeSystem& system,
                              std::string_view address, std::int32_t timeoutMs) {
  // The system resolves an empty name to the local computer, whose near-zero round trip would
  // rank a resolver that does not exist as the fastest one.
  if (address.empty()) {
    return -1;
  }
  if (!session.socketsStarted) {
    session.socketsStarted = system.startSockets();
    if (!session.socketsStarted) {
      return -1;
    }
  }
  if (!system.icmpAvailable()) {
    return -1;
  }
  const std::optional<std::uint32_t> destination = system.resolve(address);
  if (!destination) {
    return -1;
  }
  const std::uint32_t timeout = timeoutMs < 0 ? 0 : static_cast<std::uint32_t>(timeoutMs);
  const std::optional<EchoReply> reply = system.sendEcho(*destination, timeout);
  // An ICMP error (destination unreachable, TTL expired, ...) from a router on the way comes back
  // fast, but it says nothing about the resolver.
  if (!reply || reply->status != kIpSuccess) {
    return -1;
  }
  if (reply->roundTripTime > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
    return -1;
  }
  return static_cast<std::int32_t>(reply->roundTripTime);
}

}  // namespace platform
