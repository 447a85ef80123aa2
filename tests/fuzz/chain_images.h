// Fuzz inputs as the buffers GetAdaptersInfo and GetPerAdapterInfo fill: records linked by
// pointers, where the pointers are made for the address of the buffer the logic hands the query,
// so they can point anywhere relative to it: at any offset inside it (aligned or not, back at an
// earlier record, at the record itself), just past it, before it, or nowhere near it.
//
// A draft is bytes plus links (a pointer word at a position, to an offset from the buffer's
// start); it becomes the buffer for a given address (Final), or the wire form fuzz inputs and
// seeds carry (Wire), which Relocate turns into the buffer for a given address:
//   every 8-byte word at an offset that is a multiple of 8 whose upper half is kRelativeTag is a
//   link to the offset in its lower half (signed); every other byte is taken as it is, so a
//   word without the tag is a raw pointer value (null, or an arbitrary address).
// The tag is a non-canonical x86-64 address, so no real pointer ever carries it.
//
// The readers at the end look at a filled buffer by offsets only, the way the fuzzers' model of
// the walks needs.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace chain {

inline void Check(bool holds) {
  if (!holds) {
    std::abort();
  }
}

inline constexpr std::uint32_t kRelativeTag = 0x7A6F0FF5;
inline constexpr std::size_t kWord = 8;

struct Link {
  std::size_t at;       // where the pointer word is
  std::int32_t offset;  // what it points to, from the buffer's start
};

struct Draft {
  std::vector<std::uint8_t> bytes;
  std::vector<Link> links;

  template <typename T>
  void Put(std::size_t at, const T& value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
  }
  // Points the link at `at` to `offset`, adding it if there is none.
  void LinkTo(std::size_t at, std::int32_t offset) {
    for (Link& link : links) {
      if (link.at == at) {
        link.offset = offset;
        return;
      }
    }
    links.push_back({at, offset});
  }
  // Makes the pointer at `at` this raw value instead of a link.
  void PutRaw(std::size_t at, std::uint64_t value) {
    std::erase_if(links, [&](const Link& link) { return link.at == at; });
    Put(at, value);
  }
};

inline std::uint64_t Relative(std::int32_t offset) {
  return (std::uint64_t{kRelativeTag} << 32) | static_cast<std::uint32_t>(offset);
}

inline std::uint64_t Pointing(std::uintptr_t base, std::int32_t offset) {
  return static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(std::int64_t{offset});
}

// The buffer for `base`.
inline std::vector<std::uint8_t> Final(Draft draft, std::uintptr_t base) {
  for (const Link& link : draft.links) {
    draft.Put(link.at, Pointing(base, link.offset));
  }
  return std::move(draft.bytes);
}

// The wire form.
inline std::vector<std::uint8_t> Wire(Draft draft) {
  for (const Link& link : draft.links) {
    draft.Put(link.at, Relative(link.offset));
  }
  return std::move(draft.bytes);
}

// The buffer for `base` from the wire form.
inline std::vector<std::uint8_t> Relocate(std::span<const std::uint8_t> wire, std::uintptr_t base) {
  std::vector<std::uint8_t> bytes(wire.begin(), wire.end());
  for (std::size_t at = 0; at + kWord <= bytes.size(); at += kWord) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, kWord);
    if (word >> 32 == kRelativeTag) {
      word = Pointing(base, static_cast<std::int32_t>(static_cast<std::uint32_t>(word)));
      std::memcpy(bytes.data() + at, &word, kWord);
    }
  }
  return bytes;
}

template <std::size_t N>
void PutText(char (&array)[N], const std::string& text) {
  std::memcpy(array, text.data(), std::min(N, text.size()));
}

// --- Well-formed answers, as the system lays them out -------------------------------------------

constexpr std::size_t kAdapterBytes = sizeof(platform::IP_ADAPTER_INFO);
constexpr std::size_t kEntryBytes = sizeof(platform::IP_ADDR_STRING);
constexpr std::size_t kPerAdapterBytes = sizeof(platform::IP_PER_ADAPTER_INFO);
static_assert(kAdapterBytes == 704 && kEntryBytes == 48 && kPerAdapterBytes == 64);

constexpr std::size_t NextAt(std::size_t recordAt) {
  return recordAt;  // Next is the first field of both chained records
}
constexpr std::size_t kCurrentIpAt = offsetof(platform::IP_ADAPTER_INFO, CurrentIpAddress);
constexpr std::size_t kIpListAt = offsetof(platform::IP_ADAPTER_INFO, IpAddressList);
constexpr std::size_t kCurrentDnsAt = offsetof(platform::IP_PER_ADAPTER_INFO, CurrentDnsServer);
constexpr std::size_t kDnsListAt = offsetof(platform::IP_PER_ADAPTER_INFO, DnsServerList);

struct AdapterSpec {
  std::string adapterName;  // at most 260 bytes, no zero byte: 260 leave no terminator
  std::string description;  // at most 132 bytes, no zero byte
  std::array<std::uint8_t, 8> address{};
  std::uint32_t addressLength = 6;
  std::uint32_t index = 0;
  std::uint32_t type = 6;
  std::string ip;  // each at most 16 bytes, no zero byte
  std::string mask;
  std::string gateway;
  std::vector<std::string> moreIps;  // chained behind the first address, after all records
};

// The adapters chained in their order; adapter i in record slot slots[i] (slots[0] must be 0, as
// the chain starts at the buffer's start), the chained addresses after the records, then
// `trailing` bytes nothing points to. No adapters: an empty answer.
inline Draft DraftAdapters(const std::vector<AdapterSpec>& adapters,
                           const std::vector<std::size_t>& slots,
                           std::span<const std::uint8_t> trailing = {}) {
  Draft draft;
  if (adapters.empty()) {
    return draft;
  }
  std::size_t extras = 0;
  for (const AdapterSpec& adapter : adapters) {
    extras += adapter.moreIps.size();
  }
  const std::size_t recordsEnd = adapters.size() * kAdapterBytes;
  draft.bytes.resize(recordsEnd + extras * kEntryBytes);
  draft.bytes.insert(draft.bytes.end(), trailing.begin(), trailing.end());

  std::size_t extraAt = recordsEnd;
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const AdapterSpec& planned = adapters[i];
    const std::size_t at = slots[i] * kAdapterBytes;
    platform::IP_ADAPTER_INFO node;
    std::memset(&node, 0, sizeof node);
    node.ComboIndex = static_cast<std::uint32_t>(i);
    PutText(node.AdapterName, planned.adapterName);
    PutText(node.Description, planned.description);
    node.AddressLength = planned.addressLength;
    std::memcpy(node.Address, planned.address.data(), planned.address.size());
    node.Index = planned.index;
    node.Type = planned.type;
    PutText(node.IpAddressList.IpAddress.String, planned.ip);
    PutText(node.IpAddressList.IpMask.String, planned.mask);
    PutText(node.GatewayList.IpAddress.String, planned.gateway);
    draft.Put(at, node);
    if (i + 1 < adapters.size()) {
      draft.LinkTo(NextAt(at), static_cast<std::int32_t>(slots[i + 1] * kAdapterBytes));
    }
    draft.LinkTo(at + kCurrentIpAt, static_cast<std::int32_t>(at + kIpListAt));
    std::size_t previousNext = at + kIpListAt;
    for (const std::string& ip : planned.moreIps) {
      platform::IP_ADDR_STRING entry;
      std::memset(&entry, 0, sizeof entry);
      PutText(entry.IpAddress.String, ip);
      draft.Put(extraAt, entry);
      draft.LinkTo(previousNext, static_cast<std::int32_t>(extraAt));
      previousNext = extraAt;
      extraAt += kEntryBytes;
    }
  }
  return draft;
}

// The DNS servers chained in their order: the first in the record's own list entry, server i
// (i >= 1) in entry slot slots[i - 1] after the record, then `trailing` bytes nothing points to.
inline Draft DraftDnsServers(const std::vector<std::string>& servers,
                             const std::vector<std::size_t>& slots,
                             std::span<const std::uint8_t> trailing = {},
                             std::uint32_t autoconfig = 0) {
  Draft draft;
  const std::size_t extras = servers.empty() ? 0 : servers.size() - 1;
  draft.bytes.resize(kPerAdapterBytes + extras * kEntryBytes);
  draft.bytes.insert(draft.bytes.end(), trailing.begin(), trailing.end());
  platform::IP_PER_ADAPTER_INFO info;
  std::memset(&info, 0, sizeof info);
  info.AutoconfigEnabled = autoconfig;
  if (!servers.empty()) {
    PutText(info.DnsServerList.IpAddress.String, servers[0]);
  }
  draft.Put(0, info);
  draft.LinkTo(kCurrentDnsAt, static_cast<std::int32_t>(kDnsListAt));
  std::size_t previousNext = NextAt(kDnsListAt);
  for (std::size_t i = 1; i < servers.size(); ++i) {
    const std::size_t at = kPerAdapterBytes + slots[i - 1] * kEntryBytes;
    platform::IP_ADDR_STRING entry;
    std::memset(&entry, 0, sizeof entry);
    PutText(entry.IpAddress.String, servers[i]);
    draft.Put(at, entry);
    draft.LinkTo(previousNext, static_cast<std::int32_t>(at));
    previousNext = NextAt(at);
  }
  return draft;
}

// --- Reading a filled buffer by offsets ---------------------------------------------------------

inline std::uint64_t WordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes.data() + at, kWord);
  return word;
}

inline std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

// The text of the `length`-byte array at `at`: up to its first zero byte, or all of it.
inline std::string TextAt(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length && bytes[at + i] != 0; ++i) {
    text += static_cast<char>(bytes[at + i]);
  }
  return text;
}

// The offset of the record of `recordBytes` bytes (aligned to `alignment`) that `pointer` points
// to in the buffer of `bufferBytes` bytes at `base`, when it lies wholly inside.
inline std::optional<std::size_t> TargetInside(std::size_t bufferBytes, std::uintptr_t base,
                                               std::uint64_t pointer, std::size_t recordBytes,
                                               std::size_t alignment) {
  if (pointer == 0 || pointer % alignment != 0 || bufferBytes < recordBytes) {
    return std::nullopt;
  }
  const std::uint64_t offset = pointer - base;  // very large for a pointer before the buffer
  if (offset > bufferBytes - recordBytes) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(offset);
}

}  // namespace chain
