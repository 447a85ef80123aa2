#include "platform/host/scripted_probe.h"

#include <array>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>

#include "platform/host/journal.h"
#include "platform/probe.h"
#include "platform/probe_core.h"

namespace host {
namespace {

struct ProbeScript {
  platform::ProbeSession session;
  int socketStartFailures = 0;
  int socketStartAttempts = 0;
  bool icmpUnavailable = false;
  std::map<std::string, platform::EchoReply, std::less<>> replies;  // by dotted address
  std::map<std::string, std::string, std::less<>> hostNames;
  std::vector<std::string> echoRequests;
};

ProbeScript& Script() {
  static ProbeScript script;
  return script;
}

// Strict dotted-decimal, four numbers of 0..255; the bytes in address order, as inet_addr keeps
// them in memory.
std::optional<std::uint32_t> ParseDotted(std::string_view text) {
  std::array<unsigned char, 4> bytes{};
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) {
      if (at == end || *at != '.') {
        return std::nullopt;
      }
      ++at;
    }
    unsigned value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc() || next == at || value > 255) {
      return std::nullopt;
    }
    bytes[i] = static_cast<unsigned char>(value);
    at = next;
  }
  if (at != end) {
    return std::nullopt;
  }
  std::uint32_t address = 0;
  std::memcpy(&address, bytes.data(), sizeof address);
  return address;
}

std::string DottedText(std::uint32_t address) {
  std::array<unsigned char, 4> bytes{};
  std::memcpy(bytes.data(), &address, sizeof address);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

bool StartSockets() {
  ProbeScript& script = Script();
  ++script.socketStartAttempts;
  if (script.socketStartFailures > 0) {
    --script.socketStartFailures;
    return false;
  }
  return true;
}

bool IcmpAvailable() {
  return !Script().icmpUnavailable;
}

std::optional<std::uint32_t> Resolve(std::string_view address) {
  if (const std::optional<std::uint32_t> dotted = ParseDotted(address)) {
    return dotted;
  }
  const auto& names = Script().hostNames;
  const auto found = names.find(address);
  if (found == names.end()) {
    return std::nullopt;
  }
  return ParseDotted(found->second);
}

std::optional<platform::EchoReply> SendEcho(std::uint32_t address, std::uint32_t timeoutMs) {
  ProbeScript& script = Script();
  const std::string dotted = DottedText(address);
  script.echoRequests.push_back(dotted + " " + std::to_string(timeoutMs));
  const auto found = script.replies.find(dotted);
  if (found == script.replies.end()) {
    return std::nullopt;
  }
  return found->second;
}

constexpr platform::ProbeSystem kScriptedSystem{&StartSockets, &IcmpAvailable, &Resolve, &SendEcho};

}  // namespace

void ResetProbeScript() {
  Script() = ProbeScript{};
}

void ScriptEchoReply(std::string_view address, std::uint32_t roundTripTime, std::uint32_t status) {
  Script().replies.insert_or_assign(std::string(address),
                                    platform::EchoReply{status, roundTripTime});
}

void ScriptHostName(std::string_view name, std::string_view address) {
  Script().hostNames.insert_or_assign(std::string(name), std::string(address));
}

void ScriptSocketStartFailures(int count) {
  Script().socketStartFailures = count;
}

void ScriptIcmpUnavailable(bool unavailable) {
  Script().icmpUnavailable = unavailable;
}

int SocketStartAttempts() {
  return Script().socketStartAttempts;
}

const std::vector<std::string>& SentEchoRequests() {
  return Script().echoRequests;
}

}  // namespace host

namespace platform {

std::int32_t ProbeLatency(std::string_view address, std::int32_t timeoutMs) {
  const std::int32_t result =
      ProbeLatencyWith(host::Script().session, host::kScriptedSystem, address, timeoutMs);
  host::Record("ProbeLatency " + (address.empty() ? std::string("\"\"") : std::string(address)) +
               " " + std::to_string(timeoutMs) + " -> " + std::to_string(result));
  return result;
}

}  // namespace platform
