#include "adapters/bare_adapter_queries.h"

// Order matters: winsock2 before windows, both before the IP Helper header.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <cstdint>
#include <vector>

namespace bench {
namespace {

// The program's flags: only the names are wanted.
constexpr ULONG kAddressesFlags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST |
                                  GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;

void* Find(HMODULE module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

template <typename Fn>
Fn As(void* function) {
  return reinterpret_cast<Fn>(function);
}

// 8-byte aligned storage of at least `bytes` bytes, as the records need.
std::vector<std::uint64_t> Storage(ULONG bytes) {
  return std::vector<std::uint64_t>(bytes / sizeof(std::uint64_t) + 1, 0);
}

}  // namespace

std::optional<BareAdapterQueries> BareAdapterQueries::Bind() {
  // Kept loaded for the rest of the process.
  HMODULE module = LoadLibraryExW(L"iphlpapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) {
    return std::nullopt;
  }
  BareAdapterQueries bound;
  bound.getInterfaceInfo_ = Find(module, "GetInterfaceInfo");
  bound.getAdaptersAddresses_ = Find(module, "GetAdaptersAddresses");
  bound.getAdaptersInfo_ = Find(module, "GetAdaptersInfo");
  bound.getPerAdapterInfo_ = Find(module, "GetPerAdapterInfo");
  if (!bound.getInterfaceInfo_ || !bound.getAdaptersAddresses_ || !bound.getAdaptersInfo_ ||
      !bound.getPerAdapterInfo_) {
    FreeLibrary(module);
    return std::nullopt;
  }
  return bound;
}

int BareAdapterQueries::Run() const {
  const auto getInterfaceInfo = As<decltype(&::GetInterfaceInfo)>(getInterfaceInfo_);
  const auto getAdaptersAddresses = As<decltype(&::GetAdaptersAddresses)>(getAdaptersAddresses_);
  const auto getAdaptersInfo = As<decltype(&::GetAdaptersInfo)>(getAdaptersInfo_);
  const auto getPerAdapterInfo = As<decltype(&::GetPerAdapterInfo)>(getPerAdapterInfo_);

  ULONG size = 0;
  if (getInterfaceInfo(nullptr, &size) != ERROR_INSUFFICIENT_BUFFER || size == 0) {
    return 0;
  }
  std::vector<std::uint64_t> interfaces = Storage(size);
  getInterfaceInfo(reinterpret_cast<IP_INTERFACE_INFO*>(interfaces.data()), &size);

  size = 0;
  if (getAdaptersAddresses(AF_UNSPEC, kAddressesFlags, nullptr, nullptr, &size) !=
      ERROR_BUFFER_OVERFLOW) {
    return 0;
  }
  std::vector<std::uint64_t> addresses = Storage(size);
  getAdaptersAddresses(AF_UNSPEC, kAddressesFlags, nullptr,
                       reinterpret_cast<IP_ADAPTER_ADDRESSES*>(addresses.data()), &size);

  size = 0;
  if (getAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) {
    return 0;
  }
  std::vector<std::uint64_t> adapters = Storage(size);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(adapters.data());
  if (getAdaptersInfo(first, &size) != NO_ERROR) {
    return 0;
  }
  int count = 0;
  for (const IP_ADAPTER_INFO* adapter = first; adapter != nullptr; adapter = adapter->Next) {
    ++count;
    ULONG perSize = 0;
    if (getPerAdapterInfo(adapter->Index, nullptr, &perSize) != ERROR_BUFFER_OVERFLOW) {
      continue;
    }
    std::vector<std::uint64_t> perAdapter = Storage(perSize);
    getPerAdapterInfo(adapter->Index, reinterpret_cast<IP_PER_ADAPTER_INFO*>(perAdapter.data()),
                      &perSize);
  }
  return count;
}

}  // namespace bench
