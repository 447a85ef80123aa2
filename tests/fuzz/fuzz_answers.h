// What the two chain fuzzers share: remembering the buffer the logic had the stand-in fill, and
// drawing texts from the fuzz input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/ip_helper_script.h"

namespace fuzz_answers {

// The buffer the logic last had filled, and where it was.
struct Filled {
  std::uintptr_t base = 0;
  std::vector<std::uint8_t> bytes;
};
inline Filled g_filled;

// An answer made by `make` for the caller's buffer address, remembered in g_filled when it fills
// a buffer (a size query passes base 0).
template <typename Make>
host::AnswerBytes Recording(Make make) {
  return [make](std::uintptr_t base) {
    std::vector<std::uint8_t> bytes = make(base);
    if (base != 0) {
      g_filled = {base, bytes};
    }
    return bytes;
  };
}

// A text of at most `most` bytes without a zero byte.
inline std::string FuzzText(FuzzedDataProvider& fuzz, std::size_t most) {
  std::string text = fuzz.ConsumeRandomLengthString(most);
  std::replace(text.begin(), text.end(), '\0', '0');
  return text;
}

}  // namespace fuzz_answers
