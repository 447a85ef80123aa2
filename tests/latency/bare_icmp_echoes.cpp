#include "latency/bare_icmp_echoes.h"

#include <windows.h>
// After windows.h: the ICMP declarations use its types.
#include <ipexport.h>

#include <cstdio>

namespace bench {
namespace {

using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                      DWORD, DWORD);

// The program's reply buffer: one reply plus the 8 bytes an ICMP error message may carry.
struct EchoReplyBuffer {
  ICMP_ECHO_REPLY reply;
  unsigned char errorData[8];
};

void* Find(HMODULE module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

template <typename Fn>
Fn As(void* function) {
  return reinterpret_cast<Fn>(function);
}

}  // namespace

std::optional<BareIcmpEchoes> BareIcmpEchoes::Bind() {
  // Kept loaded for the rest of the process, as the program keeps it.
  HMODULE module = LoadLibraryExW(L"icmp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) {
    return std::nullopt;
  }
  BareIcmpEchoes bound;
  bound.createFile_ = Find(module, "IcmpCreateFile");
  bound.sendEcho_ = Find(module, "IcmpSendEcho");
  bound.closeHandle_ = Find(module, "IcmpCloseHandle");
  if (!bound.createFile_ || !bound.sendEcho_ || !bound.closeHandle_) {
    FreeLibrary(module);
    return std::nullopt;
  }
  return bound;
}

int BareIcmpEchoes::SendEchoes(const std::vector<std::uint32_t>& addresses,
                               std::uint32_t timeoutMs) const {
  int answered = 0;
  for (const std::uint32_t address : addresses) {
    const HANDLE handle = As<IcmpCreateFileFn>(createFile_)();
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
      continue;
    }
    EchoReplyBuffer buffer{};
    char noData = 0;
    const DWORD replies = As<IcmpSendEchoFn>(sendEcho_)(handle, address, &noData, 0, nullptr,
                                                        &buffer, sizeof buffer, timeoutMs);
    if (replies != 0 && buffer.reply.Status == IP_SUCCESS) {
      ++answered;
    }
    As<IcmpCloseHandleFn>(closeHandle_)(handle);
  }
  return answered;
}

std::optional<std::uint32_t> BareIcmpEchoes::DottedAddress(const std::string& text) {
  unsigned parts[4];
  char end = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                  &end) != 4) {
    return std::nullopt;
  }
  std::uint32_t address = 0;
  for (int i = 3; i >= 0; --i) {
    if (parts[i] > 255) {
      return std::nullopt;
    }
    address = (address << 8) | parts[i];  // the first number in the lowest byte: network order
  }
  return address;
}

}  // namespace bench
