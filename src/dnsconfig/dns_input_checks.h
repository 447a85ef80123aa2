// What may go into a netsh command line. The name and the address stand between double quotes
// there and are passed on unescaped, so anything that could end the quotes early, split the
// line or mean something other than a plain IPv4 address is refused before a command is built.
#pragma once

#include <string_view>

// Not empty, valid UTF-8, free of double quotes and control characters (C0, DEL, C1), and not
// ending with a backslash.
bool IsSafeConnectionName(std::string_view name);

// Exactly four decimal numbers 0..255 joined by dots, without signs, blanks or leading zeros
// (a leading zero could be read as octal).
bool IsDottedDecimalAddress(std::string_view address);
