// Any bytes as the answer of GetPerAdapterInfo, its pointers able to point anywhere relative to
// the buffer the logic hands the query (chain_images.h): QueryAdapterDns must read inside that
// buffer only (AddressSanitizer), walk at most as many entries as the buffer holds, and give the
// first two servers of the chain as its bytes say. Or, when the first byte is odd, a well-formed
// answer the fuzzer encodes from the other bytes: QueryAdapterDns gives its first two servers.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adapters/adapter_dns.h"
#include "chain_images.h"
#include "fuzz_answers.h"
#include "platform/host/ip_helper_script.h"
#include "platform/host/journal.h"

namespace {

using chain::Check;
using platform::IP_ADDR_STRING;

constexpr std::uint32_t kAdapterIndex = 3;

using fuzz_answers::Filled;
using fuzz_answers::FuzzText;
using fuzz_answers::g_filled;
using fuzz_answers::Recording;

// The servers of the entries the list of the filled buffer visits, as its bytes say.
std::vector<std::string> ChainServers(const Filled& filled) {
  const std::size_t size = filled.bytes.size();
  std::vector<std::string> servers;
  if (size < chain::kPerAdapterBytes) {
    return servers;
  }
  std::optional<std::size_t> at = chain::kDnsListAt;
  while (at && servers.size() < size / chain::kEntryBytes) {
    servers.push_back(chain::TextAt(filled.bytes, *at + offsetof(IP_ADDR_STRING, IpAddress),
                                    platform::kAddressStringChars));
    at = chain::TargetInside(size, filled.base, chain::WordAt(filled.bytes, chain::NextAt(*at)),
                             chain::kEntryBytes, alignof(IP_ADDR_STRING));
  }
  return servers;
}

struct Encoded {
  std::vector<std::string> servers;
  chain::Draft draft;
};

Encoded EncodeFrom(FuzzedDataProvider& fuzz) {
  Encoded encoded;
  const std::size_t count = fuzz.ConsumeIntegralInRange<std::size_t>(0, 6);
  for (std::size_t i = 0; i < count; ++i) {
    encoded.servers.push_back(FuzzText(fuzz, platform::kAddressStringChars));
  }
  // The entries after the first, in any order after the record.
  const std::size_t extras = count > 0 ? count - 1 : 0;
  std::vector<std::size_t> slots(extras);
  for (std::size_t i = 0; i < extras; ++i) {
    slots[i] = i;
  }
  for (std::size_t i = extras; i > 1; --i) {
    std::swap(slots[i - 1], slots[fuzz.ConsumeIntegralInRange<std::size_t>(0, i - 1)]);
  }
  const auto autoconfig = fuzz.ConsumeIntegral<std::uint32_t>();
  const std::vector<std::uint8_t> trailing =
      fuzz.ConsumeBytes<std::uint8_t>(fuzz.ConsumeIntegralInRange<std::size_t>(0, 200));
  encoded.draft = chain::DraftDnsServers(encoded.servers, slots, trailing, autoconfig);
  return encoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  host::ResetIpHelper();
  host::ClearJournal();
  g_filled = {};
  host::ScriptedAdapter adapter;
  adapter.index = kAdapterIndex;

  const bool encodedMode = size > 0 && (data[0] & 1) != 0;
  Encoded encoded;
  if (encodedMode) {
    FuzzedDataProvider fuzz(data + 1, size - 1);
    encoded = EncodeFrom(fuzz);
    adapter.dnsAnswerBytes = Recording(
        [draft = encoded.draft](std::uintptr_t base) { return chain::Final(draft, base); });
  } else {
    const std::vector<std::uint8_t> wire(size > 0 ? data + 1 : data, data + size);
    adapter.dnsAnswerBytes =
        Recording([wire](std::uintptr_t base) { return chain::Relocate(wire, base); });
  }
  host::SetAdapters({adapter});

  std::string dns1 = "left over";
  std::string dns2 = "left over";
  const bool read = QueryAdapterDns(kAdapterIndex, dns1, dns2);
  Check(read == (g_filled.bytes.size() >= chain::kPerAdapterBytes));
  Check(dns1.size() <= platform::kAddressStringChars);
  Check(dns2.size() <= platform::kAddressStringChars);

  const std::vector<std::string> servers = ChainServers(g_filled);
  Check(read || servers.empty());
  Check(dns1 == (servers.size() > 0 ? servers[0] : ""));
  Check(dns2 == (servers.size() > 1 ? servers[1] : ""));

  if (encodedMode) {
    Check(read);
    Check(dns1 == (encoded.servers.size() > 0 ? encoded.servers[0] : ""));
    Check(dns2 == (encoded.servers.size() > 1 ? encoded.servers[1] : ""));
    // The model walks the whole list; without servers, the record's own entry is empty.
    Check(servers == (encoded.servers.empty() ? std::vector<std::string>{""} : encoded.servers));
  }
  return 0;
}
