// Any text given to an address box: the rule never reads outside the text, agrees with a plain
// reference reading built on strtol, ignores white space around the whole text, and accepts an
// accepted address written back as a dotted quad as the same four fields.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/address_rule.h"

namespace {

std::string TrimmedCopy(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
    ++begin;
  }
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
    --end;
  }
  return std::string(text.substr(begin, end - begin));
}

// The same rule told another way: split character by character, numbers read by strtol.
std::optional<platform::AddressFields> Reference(std::string_view text) {
  const std::string whole = TrimmedCopy(text);
  if (whole.empty()) {
    return std::nullopt;
  }
  std::string pieces[4];
  int piece = 0;
  for (char c : whole) {
    if (c == '.' && piece < 3) {
      ++piece;
    } else {
      pieces[piece] += c;
    }
  }
  if (piece < 3) {
    return std::nullopt;
  }
  platform::AddressFields fields{};
  for (int i = 0; i < 4; ++i) {
    const std::string number = TrimmedCopy(pieces[i]);
    errno = 0;
    const long value = std::strtol(number.c_str(), nullptr, 10);
    if (errno == ERANGE || value < 0 || value > 255) {
      return std::nullopt;
    }
    fields[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto fields = platform::ParseAddressText(text);
  if (fields != Reference(text)) {
    std::abort();
  }

  const std::string padded = " \t" + std::string(text) + "\r\n ";
  if (platform::ParseAddressText(padded) != fields) {
    std::abort();
  }
  if (!fields) {
    return 0;
  }
  std::size_t dots = 0;
  for (char c : text) {
    dots += c == '.' ? 1 : 0;
  }
  if (dots < 3) {
    std::abort();
  }
  char quad[16];
  std::snprintf(quad, sizeof quad, "%d.%d.%d.%d", (*fields)[0], (*fields)[1], (*fields)[2],
                (*fields)[3]);
  if (platform::ParseAddressText(quad) != fields) {
    std::abort();
  }
  return 0;
}
