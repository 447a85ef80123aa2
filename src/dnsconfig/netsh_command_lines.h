// The two netsh command lines that change a connection's DNS servers. Each is the plain
// concatenation of five pieces: fixed text, connection name, fixed text, address, fixed text.
// The name and the address go in unchanged; callers check them first (dns_input_checks.h).
#pragma once

#include <string>
#include <string_view>

// Makes `address` the only, static DNS server of the connection.
std::string SetPrimaryDnsCommandLine(std::string_view connectionName, std::string_view address);

// Adds `address` as the connection's DNS server at position 2.
std::string AddSecondaryDnsCommandLine(std::string_view connectionName, std::string_view address);
