#include "platform/address_rule.h"

#include <cstddef>

namespace platform {
namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsWhiteSpace(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The number a piece starts with: an optional sign and the decimal digits after it, stopping at
// the first other character; no digits at all read as 0. Magnitudes beyond the field range are
// held at 256 so that any length of digits stays out of range without overflowing.
int LeadingNumber(std::string_view piece) {
  std::size_t at = 0;
  bool negative = false;
  if (at < piece.size() && (piece[at] == '+' || piece[at] == '-')) {
    negative = piece[at] == '-';
    ++at;
  }
  int magnitude = 0;
  for (; at < piece.size() && piece[at] >= '0' && piece[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (piece[at] - '0');
    if (magnitude > 255) {
      magnitude = 256;
    }
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<AddressFields> ParseAddressText(std::string_view text) {
  text = Trim(text);
  if (text.empty()) {
    return std::nullopt;
  }
  AddressFields fields{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string_view piece = text;
    if (i + 1 < fields.size()) {
      // The last piece is the rest of the text, further dots included.
      const std::size_t dot = text.find('.');
      if (dot == std::string_view::npos) {
        return std::nullopt;
      }
      piece = text.substr(0, dot);
      text.remove_prefix(dot + 1);
    }
    const int number = LeadingNumber(Trim(piece));
    if (number < 0 || number > 255) {
      return std::nullopt;
    }
    fields[i] = static_cast<std::uint8_t>(number);
  }
  return fields;
}

}  // namespace platform
