#include "platform/text_utf16.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(std::u16string_view units) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

struct Case {
  const char* what;
  std::u16string units;
  std::string utf8;
};

TEST(Utf16ToUtf8, ConvertsExactCharactersAndReplacesBrokenSurrogates) {
  const Case cases[] = {
      {"empty", u"", ""},
      {"ascii", u"Ethernet", "Ethernet"},
      {"chinese", u"以太网 2", "以太网 2"},
      {"latin", u"Connexion réseau", "Connexion réseau"},
      {"pair outside the BMP", u"\U0001F310net", "\U0001F310net"},
      {"ends at the first zero unit", std::u16string(u"ab\0cd", 5), "ab"},
      {"lone high surrogate", std::u16string{u'a', char16_t(0xD800), u'b'}, "a\uFFFDb"},
      {"lone low surrogate", std::u16string{char16_t(0xDC00), u'b'}, "\uFFFDb"},
      {"high surrogate at the end", std::u16string{u'a', char16_t(0xDBFF)}, "a\uFFFD"},
      {"two highs then a low", std::u16string{char16_t(0xD83C), char16_t(0xD83C), char16_t(0xDF10)},
       "\uFFFD\U0001F310"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::Utf16ToUtf8(c.units), c.utf8) << c.what;
    EXPECT_EQ(platform::Utf16BytesToUtf8(Bytes(c.units)), c.utf8) << c.what;
  }
}

TEST(Utf16BytesToUtf8, StaysInsideTheBytesGiven) {
  // No terminator: the whole buffer, and an odd last byte is not half a character.
  std::vector<std::uint8_t> bytes = Bytes(u"网卡");
  bytes.push_back('x');
  EXPECT_EQ(platform::Utf16BytesToUtf8(bytes), "网卡");
  EXPECT_EQ(platform::Utf16BytesToUtf8({bytes.data(), 1}), "");
  EXPECT_EQ(platform::Utf16BytesToUtf8({}), "");
}

}  // namespace
