// Any bytes as the answer of GetAdaptersInfo, its pointers able to point anywhere relative to the
// buffer the logic hands the query (chain_images.h): QueryAdapters must read inside that buffer
// only (AddressSanitizer), take at most as many records as the buffer holds, and give exactly the
// records its bytes say, in the order of the chain. Or, when the first byte is odd, a well-formed
// answer the fuzzer encodes from the other bytes: QueryAdapters gives exactly its adapters.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "adapters/adapter_query.h"
#include "chain_images.h"
#include "fuzz_answers.h"
#include "platform/host/ip_helper_script.h"
#include "platform/host/journal.h"

namespace {

using chain::Check;
using platform::IP_ADAPTER_INFO;
using platform::IP_ADDR_STRING;

// The adapter with this index has DNS servers (GetPerAdapterInfo); no other index has any.
constexpr std::uint32_t kIndexWithDns = 7;
const std::string kDns1 = "10.7.0.53";
const std::string kDns2 = "10.7.0.54";

using fuzz_answers::Filled;
using fuzz_answers::FuzzText;
using fuzz_answers::g_filled;
using fuzz_answers::Recording;

std::string MacOf(const std::uint8_t* address, std::uint32_t length) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint32_t i = 0; i < length && i < platform::kAdapterAddressBytes; ++i) {
    if (i > 0) {
      text += '-';
    }
    text += kDigits[address[i] >> 4];
    text += kDigits[address[i] & 0xF];
  }
  return text;
}

// The offsets of the records the chain of the filled buffer visits, as its bytes say.
std::vector<std::size_t> ChainOffsets(const Filled& filled) {
  const std::size_t size = filled.bytes.size();
  std::vector<std::size_t> offsets;
  auto at = chain::TargetInside(size, filled.base, filled.base, chain::kAdapterBytes,
                                alignof(IP_ADAPTER_INFO));
  while (at && offsets.size() < size / chain::kAdapterBytes) {
    offsets.push_back(*at);
    at = chain::TargetInside(size, filled.base, chain::WordAt(filled.bytes, chain::NextAt(*at)),
                             chain::kAdapterBytes, alignof(IP_ADAPTER_INFO));
  }
  return offsets;
}

void CheckDns(const AdapterRecord& record, std::uint32_t index) {
  Check(record.dns1 == (index == kIndexWithDns ? kDns1 : ""));
  Check(record.dns2 == (index == kIndexWithDns ? kDns2 : ""));
}

// The record is the one whose bytes are at `at` in the filled buffer.
void CheckRecordAt(const AdapterRecord& record, std::span<const std::uint8_t> bytes,
                   std::size_t at) {
  const auto field = [&](std::size_t offset, std::size_t length) {
    return chain::TextAt(bytes, at + offset, length);
  };
  constexpr std::size_t kIp = offsetof(IP_ADAPTER_INFO, IpAddressList);
  constexpr std::size_t kGateway = offsetof(IP_ADAPTER_INFO, GatewayList);
  constexpr std::size_t kAddress = offsetof(IP_ADDR_STRING, IpAddress);
  constexpr std::size_t kMask = offsetof(IP_ADDR_STRING, IpMask);
  constexpr std::size_t kChars = platform::kAddressStringChars;

  Check(record.adapterName.size() <= platform::kAdapterNameChars);
  Check(record.description.size() <= platform::kAdapterDescriptionChars);
  Check(record.ipAddress.size() <= kChars && record.subnetMask.size() <= kChars &&
        record.gateway.size() <= kChars);
  Check(record.adapterName ==
        field(offsetof(IP_ADAPTER_INFO, AdapterName), platform::kAdapterNameChars));
  Check(record.description ==
        field(offsetof(IP_ADAPTER_INFO, Description), platform::kAdapterDescriptionChars));
  Check(record.ipAddress == field(kIp + kAddress, kChars));
  Check(record.subnetMask == field(kIp + kMask, kChars));
  Check(record.gateway == field(kGateway + kAddress, kChars));
  const auto type =
      static_cast<std::int32_t>(chain::U32At(bytes, at + offsetof(IP_ADAPTER_INFO, Type)));
  Check(record.typeNumber == type);
  Check(record.typeName == AdapterTypeName(type));
  Check(record.macText ==
        MacOf(bytes.data() + at + offsetof(IP_ADAPTER_INFO, Address),
              chain::U32At(bytes, at + offsetof(IP_ADAPTER_INFO, AddressLength))));
  CheckDns(record, chain::U32At(bytes, at + offsetof(IP_ADAPTER_INFO, Index)));
}

struct Encoded {
  std::vector<chain::AdapterSpec> adapters;
  chain::Draft draft;
};

Encoded EncodeFrom(FuzzedDataProvider& fuzz) {
  Encoded encoded;
  const std::size_t count = fuzz.ConsumeIntegralInRange<std::size_t>(0, 5);
  for (std::size_t i = 0; i < count; ++i) {
    chain::AdapterSpec planned;
    planned.adapterName = FuzzText(fuzz, platform::kAdapterNameChars);
    planned.description = FuzzText(fuzz, platform::kAdapterDescriptionChars);
    for (std::uint8_t& byte : planned.address) {
      byte = fuzz.ConsumeIntegral<std::uint8_t>();
    }
    planned.addressLength = fuzz.ConsumeIntegralInRange<std::uint32_t>(0, 12);
    planned.index = fuzz.ConsumeBool() ? kIndexWithDns : fuzz.ConsumeIntegral<std::uint32_t>();
    planned.type = fuzz.ConsumeIntegral<std::uint32_t>();
    planned.ip = FuzzText(fuzz, platform::kAddressStringChars);
    planned.mask = FuzzText(fuzz, platform::kAddressStringChars);
    planned.gateway = FuzzText(fuzz, platform::kAddressStringChars);
    const std::size_t moreIps = fuzz.ConsumeIntegralInRange<std::size_t>(0, 2);
    for (std::size_t j = 0; j < moreIps; ++j) {
      planned.moreIps.push_back(FuzzText(fuzz, platform::kAddressStringChars));
    }
    encoded.adapters.push_back(std::move(planned));
  }
  // The first record at the buffer's start, the others in any order after it.
  std::vector<std::size_t> slots(count);
  for (std::size_t i = 0; i < count; ++i) {
    slots[i] = i;
  }
  for (std::size_t i = count; i > 2; --i) {
    std::swap(slots[i - 1], slots[fuzz.ConsumeIntegralInRange<std::size_t>(1, i - 1)]);
  }
  const std::vector<std::uint8_t> trailing =
      fuzz.ConsumeBytes<std::uint8_t>(fuzz.ConsumeIntegralInRange<std::size_t>(0, 800));
  encoded.draft = chain::DraftAdapters(encoded.adapters, slots, trailing);
  return encoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  host::ResetIpHelper();
  host::ClearJournal();
  g_filled = {};
  host::ScriptedAdapter withDns;
  withDns.index = kIndexWithDns;
  withDns.dnsServers = {kDns1, kDns2, "10.7.0.55"};
  host::SetAdapters({withDns});

  const bool encodedMode = size > 0 && (data[0] & 1) != 0;
  Encoded encoded;
  if (encodedMode) {
    FuzzedDataProvider fuzz(data + 1, size - 1);
    encoded = EncodeFrom(fuzz);
    host::SetAdaptersInfoBytes(Recording(
        [draft = encoded.draft](std::uintptr_t base) { return chain::Final(draft, base); }));
  } else {
    const std::vector<std::uint8_t> wire(size > 0 ? data + 1 : data, data + size);
    host::SetAdaptersInfoBytes(
        Recording([wire](std::uintptr_t base) { return chain::Relocate(wire, base); }));
  }

  std::vector<AdapterRecord> list(1);  // emptied first
  const int count = QueryAdapters(list);
  Check(count == static_cast<int>(list.size()));
  Check(list.size() <= g_filled.bytes.size() / chain::kAdapterBytes);

  const std::vector<std::size_t> offsets = ChainOffsets(g_filled);
  Check(list.size() == offsets.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    CheckRecordAt(list[i], g_filled.bytes, offsets[i]);
  }

  if (encodedMode) {
    Check(list.size() == encoded.adapters.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
      const chain::AdapterSpec& planned = encoded.adapters[i];
      const AdapterRecord& record = list[i];
      Check(record.adapterName == planned.adapterName);
      Check(record.description == planned.description);
      Check(record.macText == MacOf(planned.address.data(), planned.addressLength));
      Check(record.typeNumber == static_cast<std::int32_t>(planned.type));
      Check(record.ipAddress == planned.ip);
      Check(record.subnetMask == planned.mask);
      Check(record.gateway == planned.gateway);
      CheckDns(record, planned.index);
    }
  }
  return 0;
}
