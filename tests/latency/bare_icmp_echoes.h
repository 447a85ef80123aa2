// The system calls one latency refresh cannot avoid, made bare for the benchmark
// (scripts/bench-latency.sh): per address one ICMP echo opened, sent and closed through icmp.dll,
// bound at run time from System32 as the program binds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

class BareIcmpEchoes {
 public:
  // Binds icmp.dll; nothing when the module or one of its three functions is missing.
  static std::optional<BareIcmpEchoes> Bind();

  // One open/send/close echo without data per address (network byte order), with the program's
  // reply buffer and timeout. Returns how many got a successful reply.
  int SendEchoes(const std::vector<std::uint32_t>& addresses, std::uint32_t timeoutMs) const;

  // The address in network byte order, or nothing for a text that is not four numbers 0-255.
  static std::optional<std::uint32_t> DottedAddress(const std::string& text);

 private:
  void* createFile_ = nullptr;
  void* sendEcho_ = nullptr;
  void* closeHandle_ = nullptr;
};

}  // namespace bench
