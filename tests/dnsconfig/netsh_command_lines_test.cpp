#include "dnsconfig/netsh_command_lines.h"

#include <gtest/gtest.h>

namespace {

TEST(NetshCommandLines, FivePiecesWithNothingBetweenThem) {
  EXPECT_EQ(SetPrimaryDnsCommandLine("以太网 2", "223.5.5.5"),
            "netsh interface ip set dns name=\"以太网 2\" source=static addr=\"223.5.5.5\" "
            "register=primary");
  EXPECT_EQ(AddSecondaryDnsCommandLine("以太网 2", "223.6.6.6"),
            "netsh interface ip add dnsservers name=\"以太网 2\" address=\"223.6.6.6\" index=2");
}

TEST(NetshCommandLines, EmptyPiecesLeaveOnlyTheFixedOnes) {
  EXPECT_EQ(SetPrimaryDnsCommandLine("", ""),
            "netsh interface ip set dns name=\"\" source=static addr=\"\" register=primary");
  EXPECT_EQ(AddSecondaryDnsCommandLine("", ""),
            "netsh interface ip add dnsservers name=\"\" address=\"\" index=2");
}

}  // namespace
