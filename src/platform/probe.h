// The ICMP probe behind the latency list.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// Sends one ICMP echo request without data to the address (dotted IPv4 text or a host name) and
// waits at most timeoutMs for the reply. Gives the round-trip time in milliseconds, or -1 when
// the probe failed, no reply came in time, or the reply was an ICMP error. An empty address is
// not probed: it gives -1 at once.
std::int32_t ProbeLatency(std::string_view address, std::int32_t timeoutMs);

}  // namespace platform
