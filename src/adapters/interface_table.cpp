#include "adapters/interface_table.h"

#include <algorithm>
#include <cstddef>

#include "platform/ip_helper.h"

namespace {

// Little-endian value of `width` bytes at `offset`; bytes past the end read as zero.
std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                               std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    if (offset + i < bytes.size()) {
      value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
  }
  return value;
}

}  // namespace

std::vector<InterfaceMapEntry> ReadInterfaceTable(std::span<const std::uint8_t> bytes) {
  const auto count =
      static_cast<std::int32_t>(ReadLittleEndian(bytes, 0, platform::kInterfaceCountBytes));
  if (count <= 0) {
    return {};
  }
  const std::size_t mapBytes = platform::kInterfaceMapBytes;
  const std::size_t afterCount = bytes.size() > platform::kInterfaceCountBytes
                                     ? bytes.size() - platform::kInterfaceCountBytes
                                     : 0;
  const std::size_t mapsBegun = (afterCount + mapBytes - 1) / mapBytes;
  const std::size_t taken = std::min(static_cast<std::size_t>(count), mapsBegun);

  std::vector<InterfaceMapEntry> entries(taken);
  for (std::size_t i = 0; i < taken; ++i) {
    const std::size_t at = platform::kInterfaceCountBytes + i * mapBytes;
    entries[i].index = ReadLittleEndian(bytes, at, 4);
    for (std::size_t unit = 0; unit < platform::kInterfaceNameUnits; ++unit) {
      const auto c = static_cast<char16_t>(ReadLittleEndian(bytes, at + 4 + 2 * unit, 2));
      if (c == u'\0') {
        break;
      }
      entries[i].name += c;
    }
  }
  return entries;
}
