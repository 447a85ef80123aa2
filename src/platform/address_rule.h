// The rule by which an address box accepts a text: trimmed, cut at its first three dots, each
// piece read as a leading signed decimal number, all four in 0..255.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

using AddressFields = std::array<std::uint8_t, 4>;

std::optional<AddressFields> ParseAddressText(std::string_view text);

}  // namespace platform
