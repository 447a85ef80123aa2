// The machine's network adapters as the program's adapter records.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "adapters/adapter_record.h"

// Empties the list and refills it from the system (GetAdaptersInfo), in the system's order, with
// each adapter's connection name and first two DNS servers. Returns the number of records.
int QueryAdapters(std::vector<AdapterRecord>& list);

// The name of an interface type code; other codes as signed decimal text.
std::string AdapterTypeName(std::int32_t typeNumber);

// "02-1A-0B-C4-5D-00": upper-case hex pairs joined by "-". At most the eight bytes of the
// address are formatted, whatever length is claimed.
std::string MacText(std::span<const std::uint8_t, 8> address, std::uint32_t addressLength);
