// The steps of one latency probe, written once over the system calls they need, so that the
// Windows probe and the host stand-in share the decisions (when to probe at all, which reply
// counts) and the host tests can hold those decisions to account.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// The first reply of an echo, as the system reports it.
struct EchoReply {
  std::uint32_t status = 0;         // 0 is IP_SUCCESS: a true echo reply; anything else is an error
  std::uint32_t roundTripTime = 0;  // milliseconds
};

inline constexpr std::uint32_t kIpSuccess = 0;

// The system calls behind a probe. An IPv4 address travels as inet_addr gives it.
struct ProbeSystem {
  bool (*startSockets)();   // starts Windows Sockets 1.1; true when usable
  bool (*icmpAvailable)();  // the ICMP echo functions are at hand
  std::optional<std::uint32_t> (*resolve)(std::string_view address);  // dotted text, else a name
  // One echo without data; the first reply, or nothing when none came within the time-out.
  std::optional<EchoReply> (*sendEcho)(std::uint32_t address, std::uint32_t timeoutMs);
};

// What a probe keeps from one call to the next in a process.
struct ProbeSession {
  bool socketsStarted = false;  // set by the first start-up that succeeds; a failure is retried
};

std::int32_t ProbeLatencyWith(ProbeSession& session, const ProbeSystem& system,
                              std::string_view address, std::int32_t timeoutMs);

}  // namespace platform
