// Which connection name belongs to which interface: the table QueryAdapters pairs adapters with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ConnectionNameEntry {
  std::uint32_t interfaceIndex = 0;
  std::string interfaceName;  // the device name, e.g. \DEVICE\TCPIP_{...}
  std::string friendlyName;   // the connection name; empty when the system gave none
  std::string guidText;       // interfaceName from its first "{" on
};

using ConnectionNameTable = std::vector<ConnectionNameEntry>;

// Rebuilds the table: one entry per interface of GetInterfaceInfo, in the system's order, or
// none when that query fails. The connection name comes from the router-configuration service
// (empty where it has none; QueryAdapters then asks the system's other source).
void QueryConnectionNames(ConnectionNameTable& table);

// The part of an interface name from its first "{" to its end; the whole name without one.
std::string GuidText(std::string_view interfaceName);
