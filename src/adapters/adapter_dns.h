// The DNS servers an adapter currently uses.
#pragma once

#include <cstdint>
#include <string>

// The first and second DNS server of the adapter with this index (GetPerAdapterInfo). Both
// outputs are emptied first; true when the system answered and its list was read.
bool QueryAdapterDns(std::uint32_t adapterIndex, std::string& dns1, std::string& dns2);
