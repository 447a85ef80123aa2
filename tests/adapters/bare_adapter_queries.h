// The system calls one QueryAdapters cannot avoid, made bare for the benchmark
// (scripts/bench-adapters.sh): the two-call GetInterfaceInfo, GetAdaptersAddresses and
// GetAdaptersInfo, and one GetPerAdapterInfo size and fill pair per adapter, through iphlpapi.dll
// bound at run time from System32.
#pragma once

#include <optional>

namespace bench {

class BareAdapterQueries {
 public:
  // Binds iphlpapi.dll; nothing when the module or one of the four functions is missing.
  static std::optional<BareAdapterQueries> Bind();

  // Makes the calls once; returns the number of adapters GetAdaptersInfo listed (0 on a failure).
  int Run() const;

 private:
  void* getInterfaceInfo_ = nullptr;
  void* getAdaptersAddresses_ = nullptr;
  void* getAdaptersInfo_ = nullptr;
  void* getPerAdapterInfo_ = nullptr;
};

}  // namespace bench
