// Windows Sockets for the latency probe: start-up with its shut-down at process exit, and the
// address resolution of a probe.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::win32 {

// Starts Windows Sockets 1.1. True when it is usable; each successful start is matched by a
// WSACleanup when the process exits normally.
bool StartWindowsSockets();

// The address as inet_addr gives it (network byte order): the dotted text itself, otherwise the
// first IPv4 address of the text resolved as a host name. Nothing when neither works.
std::optional<std::uint32_t> ResolveIPv4(std::string_view address);

}  // namespace platform::win32
