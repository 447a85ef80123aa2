#include "dnsconfig/dns_input_checks.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ConnectionNameCheck, AcceptsOrdinaryNamesInAnyScript) {
  for (const std::string name : {"以太网", "以太网 2", "Ethernet", "WLAN 3", "eth0", "Wi-Fi (5G)",
                                 "Réseau", "a'b", "\xF0\x9F\x98\x80", "a\\b", "\\x"}) {
    EXPECT_TRUE(IsSafeConnectionName(name)) << name;
  }
}

TEST(ConnectionNameCheck, RefusesWhatCouldBreakTheQuotesOrTheLine) {
  for (const std::string& name :
       {std::string(""), std::string("a\"b"), std::string("\""), std::string("x\" source=dhcp \"y"),
        std::string("a\nb"), std::string("a\rb"), std::string("a\tb"), std::string("a\0b", 3),
        std::string("a\x7F"),
        std::string("Ethernet\\"),  // would escape the closing quote
        std::string("\\"),
        std::string("a\xC2\x85"),        // U+0085, a C1 line break
        std::string("a\xC2\x9F"),        // U+009F, last C1 control
        std::string("\xFF"),             // not UTF-8
        std::string("\xE4\xBB"),         // cut-off sequence
        std::string("\xC0\xA2"),         // overlong double quote
        std::string("\xED\xA0\x80")}) {  // surrogate
    EXPECT_FALSE(IsSafeConnectionName(name)) << testing::PrintToString(name);
  }
  EXPECT_TRUE(IsSafeConnectionName("a\xC2\xA0"));  // U+00A0 is no control character
}

TEST(AddressCheck, FourDecimalNumbersFrom0To255) {
  for (const std::string address :
       {"0.0.0.0", "8.8.8.8", "223.5.5.5", "255.255.255.255", "10.1.0.0", "1.22.103.250"}) {
    EXPECT_TRUE(IsDottedDecimalAddress(address)) << address;
  }
  for (const std::string address :
       {"",           "1.2.3",     "1.2.3.4.5", "1.2.3.256", "256.1.1.1", "1.2.-3.4",  "+1.2.3.4",
        "1.2.3.4 ",   " 1.2.3.4",  "1..3.4",    "1.2.3.",    ".1.2.3",    "01.2.3.4",  "1.2.3.00",
        "1234.1.1.1", "1.2.3.4\"", "a.b.c.d",   "0x1.2.3.4", "1,2,3,4",   "1.2.3.4\n", "::1"}) {
    EXPECT_FALSE(IsDottedDecimalAddress(address)) << address;
  }
}

}  // namespace
