// The program's UTF-8 text and the UTF-16 text of the W functions, converted at the boundary.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform::win32
