#include "dnsconfig/dns_input_checks.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// Decodes the UTF-8 sequence at `pos` and advances past it; nullopt for malformed input
// (bad lead or continuation bytes, overlong forms, surrogates, values above U+10FFFF).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byteAt(pos);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const std::uint8_t next = byteAt(pos + i);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length;
  return value;
}

bool IsControlCharacter(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

bool IsSafeConnectionName(std::string_view name) {
  // A backslash at the end would escape the closing quote of name="...".
  if (name.empty() || name.back() == '\\') {
    return false;
  }
  std::size_t pos = 0;
  while (pos < name.size()) {
    const std::optional<char32_t> c = NextCodePoint(name, pos);
    if (!c || *c == U'"' || IsControlCharacter(*c)) {
      return false;
    }
  }
  return true;
}

bool IsDottedDecimalAddress(std::string_view address) {
  int numbers = 0;
  std::size_t pos = 0;
  while (true) {
    const std::size_t start = pos;
    int value = 0;
    while (pos < address.size() && address[pos] >= '0' && address[pos] <= '9' && pos - start < 3) {
      value = value * 10 + (address[pos] - '0');
      ++pos;
    }
    const std::size_t digits = pos - start;
    if (digits == 0 || value > 255 || (digits > 1 && address[start] == '0')) {
      return false;
    }
    ++numbers;
    if (pos == address.size()) {
      return numbers == 4;
    }
    if (address[pos] != '.' || numbers == 4) {
      return false;
    }
    ++pos;
  }
}
