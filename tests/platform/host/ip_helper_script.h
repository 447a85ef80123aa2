// Host builds only: scripted answers of the network-configuration queries of
// platform/ip_helper.h, so tests can hand the logic any answer the system could give, and some
// it should not: refusing size queries, failing second calls, truncated buffers, arrays without
// a zero byte. The calls are written to the journal (host::Journal) in the order they happen.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace host {

// How one two-call query answers. Unset fields keep the system's protocol: the size query
// answers with the overflow code and the true size, the second call fills a large enough
// buffer and answers kNoError.
struct QueryScript {
  std::optional<std::uint32_t> sizeQueryAnswer =
      std::nullopt;  // the size query answers this instead
  std::optional<std::uint32_t> reportedSize =
      std::nullopt;  // and reports this size instead of the true one
  // The filling call answers this. A failing answer writes nothing; with kNoError (or unset) as
  // many bytes of the true answer as the buffer holds are written, so a reported size below the
  // true one gives a truncated answer.
  std::optional<std::uint32_t> secondCallAnswer = std::nullopt;
};

// A full answer as exact bytes, made for the address of the buffer it is written to, so the
// pointers in it can be placed anywhere relative to that buffer (inside, just past, elsewhere).
// Called for the size query too (with address 0): the size must not depend on the address.
using AnswerBytes = std::function<std::vector<std::uint8_t>(std::uintptr_t bufferAddress)>;

struct ScriptedAddress {
  std::string address;
  std::string mask;
};

// One adapter. Texts are copied into the fixed arrays byte for byte, cut at the array's size:
// a text as long as its array leaves no zero byte in it.
struct ScriptedAdapter {
  std::string adapterName;
  std::string description;
  std::vector<std::uint8_t> address;           // at most 8 bytes are stored
  std::optional<std::uint32_t> addressLength;  // the length claimed; the stored bytes when unset
  std::uint32_t index = 0;
  std::uint32_t type = 6;
  std::vector<ScriptedAddress> ipAddresses;  // the first embedded, the rest chained
  std::vector<std::string> gateways;
  std::vector<std::string> dnsServers;  // GetPerAdapterInfo of this index
  QueryScript dnsScript;                // how GetPerAdapterInfo of this index answers
  AnswerBytes dnsAnswerBytes;           // when set, its answer instead of dnsServers
};

struct ScriptedInterface {
  std::uint32_t index = 0;
  std::u16string name;  // at most 128 units are stored; 128 leave no terminator
};

// A machine without adapters or interfaces whose router-configuration service connects and
// knows no names; no scripts; the connection count back at 0.
void ResetIpHelper();

// GetAdaptersInfo and GetPerAdapterInfo.
void SetAdapters(std::vector<ScriptedAdapter> adapters);
void SetAdaptersInfoScript(QueryScript script);
// GetAdaptersInfo answers exactly these bytes instead of the adapters' records (GetPerAdapterInfo
// still answers from the adapters); an empty function goes back to the records.
void SetAdaptersInfoBytes(AnswerBytes bytes);

// GetInterfaceInfo: from interfaces, or exactly these bytes as the full answer.
void SetInterfaces(const std::vector<ScriptedInterface>& interfaces);
void SetInterfaceTableBytes(std::vector<std::uint8_t> bytes);
std::vector<std::uint8_t> InterfaceTableBytes(const std::vector<ScriptedInterface>& interfaces);
void SetInterfaceInfoScript(QueryScript script);

// The router-configuration service: what connecting answers (a failing connect leaves the
// handle null), and the connection name of each interface name it knows.
void SetRouterConnectAnswer(std::uint32_t answer);
void SetRouterFriendlyName(const std::u16string& interfaceName, const std::u16string& friendly);
// Connections made and not yet released.
int OpenRouterConnections();

// A change of an adapter's DNS servers as a command would make it: the next `reads` reads of
// GetPerAdapterInfo for that index still report the servers it has, later ones `servers`.
void ChangeDnsServersAfterReads(std::uint32_t index, std::vector<std::string> servers, int reads);
// The DNS servers the adapter of that index reports now (empty when there is none).
std::vector<std::string> DnsServersOf(std::uint32_t index);

// GetAdaptersAddresses: the connection name reported for each adapter GUID.
void SetAddressesFriendlyNames(std::vector<platform::AdapterFriendlyName> names);

}  // namespace host
