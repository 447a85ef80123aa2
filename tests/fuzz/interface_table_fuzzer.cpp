// Any bytes as the answer of the interface-table query: reading them must stay inside them, and
// the entries must be what the bytes say.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "adapters/connection_names.h"
#include "adapters/interface_table.h"
#include "platform/text_utf16.h"

namespace {

void Check(bool holds) {
  if (!holds) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto entries = ReadInterfaceTable(bytes);

  std::int32_t count = 0;
  for (std::size_t i = 0; i < 4 && i < size; ++i) {
    count = static_cast<std::int32_t>(static_cast<std::uint32_t>(count) |
                                      (static_cast<std::uint32_t>(data[i]) << (8 * i)));
  }
  const std::size_t begun = size > 4 ? (size - 4 + 259) / 260 : 0;
  Check(entries.size() == (count <= 0 ? 0 : std::min<std::size_t>(count, begun)));

  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t at = 4 + i * 260;
    Check(entries[i].name.size() <= 128);
    Check(entries[i].name.find(u'\0') == std::u16string::npos);
    if (at + 4 <= size) {
      Check(entries[i].index == (data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
                                 (static_cast<std::uint32_t>(data[at + 3]) << 24)));
    }
    // The name as the program's text, and the GUID part the adapters are paired by.
    const std::string name = platform::Utf16ToUtf8(entries[i].name);
    // The name's bytes that are there, a missing last byte reading as zero.
    const std::size_t nameAt = at + 4;
    std::vector<std::uint8_t> nameBytes;
    if (size > nameAt) {
      nameBytes.assign(data + nameAt, data + std::min<std::size_t>(size, nameAt + 256));
    }
    nameBytes.resize((nameBytes.size() + 1) / 2 * 2);
    Check(name == platform::Utf16BytesToUtf8(nameBytes));
    const std::string guid = GuidText(name);
    Check(guid.size() <= name.size());
  }
  return 0;
}
