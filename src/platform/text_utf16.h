// UTF-16 text from the system turned into the program's UTF-8 text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Little-endian UTF-16 code units up to the first zero unit or the end of the bytes, whichever
// comes first, as UTF-8. Nothing past the last byte is read; a lone odd byte at the end is not
// a code unit and is ignored. Unpaired surrogates become U+FFFD.
std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes);

// The same for code units already in memory, up to the first zero unit or the end of the view.
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace platform
