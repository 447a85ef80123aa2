// One network adapter as the program knows it, copied out of the system's answers.
#pragma once

#include <cstdint>
#include <string>

struct AdapterRecord {
  std::string adapterName;  // the adapter's GUID in braces
  std::string description;
  std::string connectionName;  // the name the system's network settings show; may be empty
  std::int32_t typeNumber = 0;
  std::string typeName;
  std::string macText;  // "02-1A-0B-C4-5D-00"
  std::string ipAddress;
  std::string subnetMask;
  std::string gateway;
  std::string dns1;
  std::string dns2;
  std::uint32_t index = 0;  // the system's adapter index, by which its DNS servers are read
};
