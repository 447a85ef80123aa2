// The network-configuration queries the adapter inventory needs: the IP Helper records and calls,
// the router-configuration calls that name connections, and the connection names the system
// reports with each adapter's addresses.
//
// The records are the program's own definitions with the field names and array sizes of the
// system's records, so the logic reads the same bytes on every build. The Windows layer checks
// at compile time that they match the system's layout exactly and hands the system's buffers
// through unchanged; the host layer fills them with scripted answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Result codes the queries answer with.
inline constexpr std::uint32_t kNoError = 0;
inline constexpr std::uint32_t kErrorNotSupported = 50;
inline constexpr std::uint32_t kErrorBufferOverflow = 111;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorNoData = 232;

// Array sizes of the records.
inline constexpr std::size_t kAdapterNameChars = 256 + 4;         // AdapterName
inline constexpr std::size_t kAdapterDescriptionChars = 128 + 4;  // Description
inline constexpr std::size_t kAdapterAddressBytes = 8;            // Address
inline constexpr std::size_t kAddressStringChars = 16;            // IpAddress, IpMask
inline constexpr std::size_t kInterfaceNameUnits = 128;           // Name of an interface map

// A dotted IPv4 text in a fixed array; not necessarily zero-terminated.
struct IP_ADDRESS_STRING {
  char String[kAddressStringChars];
};
using IP_MASK_STRING = IP_ADDRESS_STRING;

// One entry of a chained address list.
struct IP_ADDR_STRING {
  IP_ADDR_STRING* Next;
  IP_ADDRESS_STRING IpAddress;
  IP_MASK_STRING IpMask;
  std::uint32_t Context;
};

// One adapter of the GetAdaptersInfo chain.
struct IP_ADAPTER_INFO {
  IP_ADAPTER_INFO* Next;
  std::uint32_t ComboIndex;
  char AdapterName[kAdapterNameChars];
  char Description[kAdapterDescriptionChars];
  std::uint32_t AddressLength;
  std::uint8_t Address[kAdapterAddressBytes];
  std::uint32_t Index;
  std::uint32_t Type;
  std::uint32_t DhcpEnabled;
  IP_ADDR_STRING* CurrentIpAddress;
  IP_ADDR_STRING IpAddressList;
  IP_ADDR_STRING GatewayList;
  IP_ADDR_STRING DhcpServer;
  std::int32_t HaveWins;
  IP_ADDR_STRING PrimaryWinsServer;
  IP_ADDR_STRING SecondaryWinsServer;
  std::int64_t LeaseObtained;
  std::int64_t LeaseExpires;
};

// The answer of GetPerAdapterInfo.
struct IP_PER_ADAPTER_INFO {
  std::uint32_t AutoconfigEnabled;
  std::uint32_t AutoconfigActive;
  IP_ADDR_STRING* CurrentDnsServer;
  IP_ADDR_STRING DnsServerList;
};

// One interface of the GetInterfaceInfo table: its index and its UTF-16 device name.
struct IP_ADAPTER_INDEX_MAP {
  std::uint32_t Index;
  char16_t Name[kInterfaceNameUnits];
};

// The answer of GetInterfaceInfo: a count, then that many maps.
struct IP_INTERFACE_INFO {
  std::int32_t NumAdapters;
  IP_ADAPTER_INDEX_MAP Adapter[1];
};

inline constexpr std::size_t kInterfaceCountBytes = offsetof(IP_INTERFACE_INFO, Adapter);
inline constexpr std::size_t kInterfaceMapBytes = sizeof(IP_ADAPTER_INDEX_MAP);
static_assert(kInterfaceCountBytes == 4 && kInterfaceMapBytes == 260);

// The three IP Helper queries. Each answers in two calls: with a null buffer and *size 0 it
// reports the size it needs (kErrorBufferOverflow, or kErrorInsufficientBuffer for
// GetInterfaceInfo); with a buffer of *size bytes it fills it and answers kNoError. Pointers in
// a filled buffer point into the same buffer.
std::uint32_t GetAdaptersInfo(IP_ADAPTER_INFO* buffer, std::uint32_t* size);
std::uint32_t GetPerAdapterInfo(std::uint32_t adapterIndex, IP_PER_ADAPTER_INFO* buffer,
                                std::uint32_t* size);
std::uint32_t GetInterfaceInfo(IP_INTERFACE_INFO* buffer, std::uint32_t* size);

// The router-configuration service of the local machine, which knows the connection name of
// each interface. A handle is only valid after a connect that answered kNoError.
using RouterConfigHandle = void*;
std::uint32_t MprConfigServerConnect(RouterConfigHandle* handle);
// interfaceName is zero-terminated; bufferBytes is the size of friendlyName in bytes.
std::uint32_t MprConfigGetFriendlyName(RouterConfigHandle handle, const char16_t* interfaceName,
                                       char16_t* friendlyName, std::uint32_t bufferBytes);
void MprConfigServerDisconnect(RouterConfigHandle handle);

// The connection name the system reports with each adapter's addresses (GetAdaptersAddresses:
// AdapterName and FriendlyName). Empty when the query fails.
struct AdapterFriendlyName {
  std::string adapterName;  // the adapter's GUID in braces
  std::u16string friendlyName;
};
std::vector<AdapterFriendlyName> QueryAdapterFriendlyNames();

}  // namespace platform
