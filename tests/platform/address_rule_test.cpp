#include "platform/address_rule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::AddressFields;
using platform::ParseAddressText;

TEST(AddressRule, ReadsFourPiecesAtTheFirstThreeDots) {
  const struct {
    std::string text;
    std::optional<AddressFields> fields;
  } cases[] = {
      {"8.8.8.8", AddressFields{8, 8, 8, 8}},
      {" \t8.8.8.8\r\n", AddressFields{8, 8, 8, 8}},
      {"1.2.3.4.5", AddressFields{1, 2, 3, 4}},  // the last piece keeps the further dots
      {"a.b.c.d", AddressFields{0, 0, 0, 0}},    // no number reads as 0
      {"...", AddressFields{0, 0, 0, 0}},
      {"+1. 2 .3x.0255", AddressFields{1, 2, 3, 255}},
      {"-0.0.0.0", AddressFields{0, 0, 0, 0}},
      {"1.2.3.4 junk", AddressFields{1, 2, 3, 4}},
      {"1.2.- 3.4", AddressFields{1, 2, 0, 4}},  // a sign without digits reads as 0
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.2.3.256", std::nullopt},
      {"1.2.-3.4", std::nullopt},
      {"99999999999999999999.1.1.1", std::nullopt},  // huge, not wrapped into range
      {"4294967297.1.1.1", std::nullopt},
      {std::string("1.2\0.3.4", 8), AddressFields{1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseAddressText(c.text), c.fields) << '"' << c.text << '"';
  }
}

}  // namespace
