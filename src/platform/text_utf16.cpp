#include "platform/text_utf16.h"

#include <cstddef>

namespace platform {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes units given by unitAt(i) for i in [0, count), stopping at the first zero unit.
template <typename UnitAt>
std::string Decode(std::size_t count, UnitAt unitAt) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t unit = unitAt(i);
    if (unit == 0) {
      break;
    }
    if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
      const char32_t low = unitAt(i + 1);
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacementCharacter);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace

std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes) {
  return Decode(bytes.size() / 2, [&](std::size_t i) {
    return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  });
}

std::string Utf16ToUtf8(std::u16string_view units) {
  return Decode(units.size(), [&](std::size_t i) { return static_cast<char32_t>(units[i]); });
}

}  // namespace platform
