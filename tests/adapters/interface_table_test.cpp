#include "adapters/interface_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/host/ip_helper_script.h"

namespace {

std::vector<std::uint8_t> WithCount(std::vector<std::uint8_t> bytes, std::int32_t count) {
  std::memcpy(bytes.data(), &count, sizeof count);
  return bytes;
}

TEST(ReadInterfaceTable, ReadsEveryMapInOrder) {
  const std::u16string longest(128, u'x');  // fills the name: no terminator in the map
  const auto entries = ReadInterfaceTable(host::InterfaceTableBytes(
      {{7, u"\\DEVICE\\TCPIP_{A}"}, {9, u"以太网"}, {0x01020304, longest}}));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].index, 7u);
  EXPECT_EQ(entries[0].name, u"\\DEVICE\\TCPIP_{A}");
  EXPECT_EQ(entries[1].name, u"以太网");
  EXPECT_EQ(entries[2].index, 0x01020304u);
  EXPECT_EQ(entries[2].name, longest);
}

TEST(ReadInterfaceTable, TakesOnlyWhatTheBufferHolds) {
  const auto two = host::InterfaceTableBytes({{1, u"first"}, {2, u"second"}});
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::size_t entries;
  };
  const Case cases[] = {
      {"no bytes", {}, 0},
      {"count cut short", {1, 0}, 0},
      {"count 0", WithCount(two, 0), 0},
      {"negative count", WithCount(two, -1), 0},
      {"most negative count", WithCount(two, INT32_MIN), 0},
      {"count beyond the maps", WithCount(two, 5), 2},
      {"huge count", WithCount(two, INT32_MAX), 2},
      {"count alone", WithCount({0, 0, 0, 0}, 3), 0},
      {"count smaller than the maps", WithCount(two, 1), 1},
      {"second map cut after its index", {two.begin(), two.begin() + 4 + 260 + 4}, 2},
      {"second map cut inside its index", {two.begin(), two.begin() + 4 + 260 + 2}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadInterfaceTable(c.bytes).size(), c.entries) << c.what;
  }
}

TEST(ReadInterfaceTable, MissingBytesReadAsZero) {
  const auto two = host::InterfaceTableBytes({{1, u"first"}, {0x0A0B, u"second"}});
  // Cut in the middle of the second name, and in the middle of the second index.
  auto entries = ReadInterfaceTable({two.data(), 4 + 260 + 4 + 6});
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].index, 0x0A0Bu);
  EXPECT_EQ(entries[1].name, u"sec");

  entries = ReadInterfaceTable({two.data(), 4 + 260 + 1});
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].index, 0x0Bu);
  EXPECT_EQ(entries[1].name, u"");
}

}  // namespace
