#include "adapters/connection_names.h"

#include <gtest/gtest.h>

#include "ip_helper_fixture.h"
#include "platform/ip_helper.h"

namespace {

using ConnectionNamesTest = ScriptedMachineTest;

const std::u16string kGuidA = u"{1A2B3C4D-0000-4000-8000-00000000000A}";
const std::u16string kGuidB = u"{1A2B3C4D-0000-4000-8000-00000000000B}";
const std::u16string kGuidC = u"{1A2B3C4D-0000-4000-8000-00000000000C}";

ConnectionNameTable Query() {
  ConnectionNameTable table{{1, "stale", "stale", "stale"}};
  QueryConnectionNames(table);
  return table;
}

TEST_F(ConnectionNamesTest, ThreeInterfacesInBufferOrderWithTheirOwnNames) {
  host::SetInterfaces({{12, DevicePath(kGuidA)}, {3, DevicePath(kGuidB)}, {7, DevicePath(kGuidC)}});
  host::SetRouterFriendlyName(DevicePath(kGuidA), u"以太网 2");
  host::SetRouterFriendlyName(DevicePath(kGuidB), u"Connexion réseau");
  host::SetRouterFriendlyName(DevicePath(kGuidC), u"Wi-Fi");

  const ConnectionNameTable table = Query();
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].interfaceIndex, 12u);
  EXPECT_EQ(table[0].interfaceName, "\\DEVICE\\TCPIP_{1A2B3C4D-0000-4000-8000-00000000000A}");
  EXPECT_EQ(table[0].guidText, "{1A2B3C4D-0000-4000-8000-00000000000A}");
  EXPECT_EQ(table[0].friendlyName, "以太网 2");
  EXPECT_EQ(table[1].friendlyName, "Connexion réseau");
  EXPECT_EQ(table[2].interfaceIndex, 7u);
  EXPECT_EQ(table[2].friendlyName, "Wi-Fi");
  // The handle is released once the table is built; the other source was not needed.
  EXPECT_EQ(host::OpenRouterConnections(), 0);
  EXPECT_GT(JournalPosition("MprConfigServerDisconnect"),
            JournalPosition("MprConfigGetFriendlyName"));
  EXPECT_EQ(JournalCount("GetAdaptersAddresses"), 0);
}

TEST_F(ConnectionNamesTest, SystemAnswersThatGiveAnEmptyTable) {
  struct Case {
    const char* what;
    host::QueryScript script;
  };
  const Case cases[] = {
      {"size query answers no data", {.sizeQueryAnswer = platform::kErrorNoData}},
      {"size query answers success", {.sizeQueryAnswer = platform::kNoError}},
      {"size query reports 0 bytes", {.reportedSize = 0u}},
      {"second call fails and writes nothing", {.secondCallAnswer = 31u}},
  };
  for (const Case& c : cases) {
    host::ResetIpHelper();
    host::SetInterfaces({{1, DevicePath(kGuidA)}});
    host::SetRouterFriendlyName(DevicePath(kGuidA), u"Ethernet");
    host::SetInterfaceInfoScript(c.script);
    EXPECT_TRUE(Query().empty()) << c.what;
    EXPECT_EQ(host::OpenRouterConnections(), 0) << c.what;
  }
}

TEST_F(ConnectionNamesTest, TruncatedTableKeepsTheMapsThatBegan) {
  host::SetInterfaces({{1, DevicePath(kGuidA)}, {2, DevicePath(kGuidB)}});
  host::SetRouterFriendlyName(DevicePath(kGuidA), u"Ethernet");
  // The size query under-reports: the second map is cut inside its name.
  host::SetInterfaceInfoScript({.reportedSize = 4u + 260u + 4u + 2u * 10u});
  const ConnectionNameTable table = Query();
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].friendlyName, "Ethernet");
  EXPECT_EQ(table[1].interfaceIndex, 2u);
  EXPECT_EQ(table[1].interfaceName, "\\DEVICE\\TC");
  EXPECT_EQ(table[1].friendlyName, "");
}

// The table holds what the router-configuration service says; QueryAdapters fills the gaps.
TEST_F(ConnectionNamesTest, FailedConnectNeverAsksForFriendlyNames) {
  host::SetInterfaces({{1, DevicePath(kGuidA)}, {2, DevicePath(kGuidB)}});
  host::SetRouterConnectAnswer(platform::kErrorNotSupported);
  host::SetRouterFriendlyName(DevicePath(kGuidA), u"never asked");

  const ConnectionNameTable table = Query();
  EXPECT_EQ(JournalCount("MprConfigGetFriendlyName"), 0);
  EXPECT_EQ(JournalCount("MprConfigServerDisconnect"), 0);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].friendlyName, "");
  EXPECT_EQ(table[1].friendlyName, "");
}

TEST_F(ConnectionNamesTest, NamesTheRouterServiceLacksStayEmpty) {
  const std::u16string longName(128, u'n');  // does not fit the 255 bytes offered
  host::SetInterfaces({{1, DevicePath(kGuidA)}, {2, DevicePath(kGuidB)}, {3, DevicePath(kGuidC)}});
  host::SetRouterFriendlyName(DevicePath(kGuidA), u"Ethernet");
  host::SetRouterFriendlyName(DevicePath(kGuidB), longName);
  host::SetAddressesFriendlyNames({{"{1A2B3C4D-0000-4000-8000-00000000000C}", u"Wi-Fi"}});
  const ConnectionNameTable table = Query();
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].friendlyName, "Ethernet");
  EXPECT_EQ(table[1].friendlyName, "");
  EXPECT_EQ(table[2].friendlyName, "");
  EXPECT_EQ(JournalCount("MprConfigGetFriendlyName"), 3);
  EXPECT_EQ(JournalCount("GetAdaptersAddresses"), 0);
}

TEST(GuidText, StartsAtTheFirstBrace) {
  struct Case {
    std::string name;
    std::string guid;
  };
  const Case cases[] = {
      {"\\DEVICE\\TCPIP_{ABC}", "{ABC}"},
      {"no brace", "no brace"},
      {"{ABC}", "{ABC}"},
      {"x{A}{B}", "{A}{B}"},
      {"", ""},
      {"ends{", "{"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GuidText(c.name), c.guid) << c.name;
  }
}

}  // namespace
