#include "platform/probe.h"
#include "platform/probe_core.h"
#include "platform/win32/icmp_echo.h"
#include "platform/win32/winsock_session.h"

namespace platform {

std::int32_t ProbeLatency(std::string_view address, std::int32_t timeoutMs) {
  static ProbeSession session;
  static constexpr ProbeSystem system{&win32::StartWindowsSockets, &win32::IcmpFunctionsAvailable,
                                      &win32::ResolveIPv4, &win32::SendIcmpEcho};
  return ProbeLatencyWith(session, system, address, timeoutMs);
}

}  // namespace platform
