#include "platform/win32/winsock_session.h"

#include <winsock2.h>

#include <cstring>
#include <string>

namespace platform::win32 {
namespace {

// Shuts Windows Sockets down at process exit, once for every start-up that succeeded.
struct WinsockCleanupAtExit {
  int startups = 0;
  ~WinsockCleanupAtExit() {
    for (; startups > 0; --startups) {
      WSACleanup();
    }
  }
};

WinsockCleanupAtExit& CleanupAtExit() {
  static WinsockCleanupAtExit cleanup;
  return cleanup;
}

}  // namespace

bool StartWindowsSockets() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
    return false;
  }
  // A start-up that agreed on another version still counts one use; give it back.
  if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
    WSACleanup();
    return false;
  }
  ++CleanupAtExit().startups;
  return true;
}

std::optional<std::uint32_t> ResolveIPv4(std::string_view address) {
  // The C functions below stop at the first zero byte; such a text names nothing.
  if (address.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string text(address);
  const unsigned long dotted = inet_addr(text.c_str());
  if (dotted != INADDR_NONE) {
    return static_cast<std::uint32_t>(dotted);
  }
  const hostent* host = gethostbyname(text.c_str());
  if (host == nullptr || host->h_addrtype != AF_INET || host->h_length != 4 ||
      host->h_addr_list == nullptr || host->h_addr_list[0] == nullptr) {
    return std::nullopt;
  }
  std::uint32_t first = 0;
  std::memcpy(&first, host->h_addr_list[0], sizeof first);
  return first;
}

}  // namespace platform::win32
