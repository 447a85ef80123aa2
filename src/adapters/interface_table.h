// The interface table of GetInterfaceInfo, read from its raw bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct InterfaceMapEntry {
  std::uint32_t index = 0;
  std::u16string name;  // the UTF-16 device name up to its first zero unit (at most 128 units)
};

// A signed 32-bit count at offset 0, then that many 260-byte maps (a 32-bit index and 256 bytes
// of UTF-16 name) from offset 4, all little-endian. Gives no entries when the count is 0 or
// below. Never reads past the bytes given: only maps that begin inside the bytes are taken, and
// bytes missing at the end of the last one read as zero.
std::vector<InterfaceMapEntry> ReadInterfaceTable(std::span<const std::uint8_t> bytes);
