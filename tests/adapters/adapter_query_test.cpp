#include "adapters/adapter_query.h"

#include <gtest/gtest.h>

#include <array>

#include "ip_helper_fixture.h"
#include "platform/ip_helper.h"

namespace {

using QueryAdaptersTest = ScriptedMachineTest;

const std::string kGuidA = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
const std::string kGuidB = "{6B29FC40-CA47-1067-B31D-00DD010662DB}";
const std::string kGuidC = "{6B29FC40-CA47-1067-B31D-00DD010662DC}";

std::u16string Wide(const std::string& ascii) {
  return {ascii.begin(), ascii.end()};
}

std::vector<AdapterRecord> Query() {
  std::vector<AdapterRecord> list(2);  // anything in it beforehand is dropped
  const int count = QueryAdapters(list);
  EXPECT_EQ(count, static_cast<int>(list.size()));
  return list;
}

TEST_F(QueryAdaptersTest, OneRecordPerAdapterInTheSystemsOrder) {
  auto a = Ethernet(kGuidA, 11, "10.1.0.2", {"10.1.0.53", "10.1.1.53", "10.1.2.53"});
  a.ipAddresses = {{"10.1.0.2", "255.255.0.0"}, {"10.9.0.2", "255.255.255.0"}};
  a.gateways = {"10.1.0.1", "10.1.0.254"};
  auto b = Ethernet(kGuidB, 5, "192.168.7.20", {"192.168.7.1"});
  b.type = 71;
  auto c = Ethernet(kGuidC, 8, "", {});
  c.type = 131;
  c.ipAddresses.clear();
  c.gateways.clear();
  host::SetAdapters({a, b, c});
  host::SetInterfaces({{5, DevicePath(Wide(kGuidB))}, {11, DevicePath(Wide(kGuidA))}});
  host::SetRouterFriendlyName(DevicePath(Wide(kGuidA)), u"以太网 2");
  host::SetRouterFriendlyName(DevicePath(Wide(kGuidB)), u"Connexion réseau");

  const auto list = Query();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].adapterName, kGuidA);
  EXPECT_EQ(list[0].description, "Scripted Ethernet Adapter");
  EXPECT_EQ(list[0].connectionName, "以太网 2");
  EXPECT_EQ(list[0].typeNumber, 6);
  EXPECT_EQ(list[0].typeName, "ETHERNET");
  EXPECT_EQ(list[0].macText, "02-1A-0B-C4-5D-0B");
  EXPECT_EQ(list[0].ipAddress, "10.1.0.2");  // the first of two
  EXPECT_EQ(list[0].subnetMask, "255.255.0.0");
  EXPECT_EQ(list[0].gateway, "10.1.0.1");
  EXPECT_EQ(list[0].dns1, "10.1.0.53");  // the first two of three
  EXPECT_EQ(list[0].dns2, "10.1.1.53");

  EXPECT_EQ(list[1].connectionName, "Connexion réseau");
  EXPECT_EQ(list[1].typeName, "IEEE80211");
  EXPECT_EQ(list[1].dns1, "192.168.7.1");
  EXPECT_EQ(list[1].dns2, "");

  EXPECT_EQ(list[2].connectionName, "");  // no interface names it: still listed
  EXPECT_EQ(list[2].typeName, "131");
  EXPECT_EQ(list[2].ipAddress, "");
  EXPECT_EQ(list[2].gateway, "");
  EXPECT_EQ(list[2].dns1, "");

  // The names are asked for before the adapters, each adapter's DNS once.
  EXPECT_LT(JournalPosition("GetInterfaceInfo"), JournalPosition("GetAdaptersInfo"));
  EXPECT_EQ(JournalCount("GetPerAdapterInfo 11: size query"), 1);
  EXPECT_EQ(JournalCount("GetAdaptersInfo"), 2);
}

TEST_F(QueryAdaptersTest, FailedAdapterQueriesGiveAnEmptyListButStillAskForNames) {
  struct Case {
    const char* what;
    host::QueryScript script;
  };
  const Case cases[] = {
      {"size query answers no data", {.sizeQueryAnswer = platform::kErrorNoData}},
      {"size query answers success", {.sizeQueryAnswer = platform::kNoError}},
      {"size query reports 0 bytes", {.reportedSize = 0u}},
      {"second call fails", {.secondCallAnswer = platform::kErrorBufferOverflow}},
      {"answer too short for one adapter", {.reportedSize = 100u}},
  };
  for (const Case& c : cases) {
    host::ResetIpHelper();
    host::ClearJournal();
    host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2")});
    host::SetInterfaces({{1, DevicePath(Wide(kGuidA))}});
    host::SetAdaptersInfoScript(c.script);
    EXPECT_TRUE(Query().empty()) << c.what;
    EXPECT_EQ(JournalCount("GetInterfaceInfo: size query"), 1) << c.what;
    EXPECT_EQ(host::OpenRouterConnections(), 0) << c.what;
  }
  host::ResetIpHelper();
  EXPECT_TRUE(Query().empty()) << "no adapters at all";
}

TEST_F(QueryAdaptersTest, TruncatedChainKeepsTheWholeNodesOnly) {
  host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2"), Ethernet(kGuidB, 2, "10.0.0.3")});
  host::SetAdaptersInfoScript(
      {.reportedSize = static_cast<std::uint32_t>(sizeof(platform::IP_ADAPTER_INFO) + 40)});
  const auto list = Query();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].adapterName, kGuidA);
}

TEST_F(QueryAdaptersTest, SecondQueryBuildsTheListAfresh) {
  host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2"), Ethernet(kGuidB, 2, "10.0.0.3")});
  std::vector<AdapterRecord> list;
  ASSERT_EQ(QueryAdapters(list), 2);
  host::SetAdapters({Ethernet(kGuidC, 3, "10.0.0.4"), Ethernet(kGuidA, 1, "10.0.0.5")});
  ASSERT_EQ(QueryAdapters(list), 2);
  EXPECT_EQ(list[0].adapterName, kGuidC);
  EXPECT_EQ(list[1].adapterName, kGuidA);
  EXPECT_EQ(list[1].ipAddress, "10.0.0.5");
}

TEST_F(QueryAdaptersTest, ArraysWithoutAZeroByteGiveTheWholeArray) {
  auto adapter = Ethernet(std::string(300, 'G'), 1, "", {});
  adapter.description = std::string(132, 'D');
  adapter.ipAddresses = {{"1234567890123456789", "ABCDEFGHIJKLMNOPQ"}};
  adapter.gateways = {"9999999999999999"};
  host::SetAdapters({adapter});
  const auto list = Query();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].adapterName, std::string(260, 'G'));
  EXPECT_EQ(list[0].description, std::string(132, 'D'));
  EXPECT_EQ(list[0].ipAddress, "1234567890123456");
  EXPECT_EQ(list[0].subnetMask, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(list[0].gateway, "9999999999999999");
}

TEST_F(QueryAdaptersTest, ConnectionNamePairingIsExactAndFirstMatchWins) {
  host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2"), Ethernet(kGuidB, 2, "10.0.0.3"),
                     Ethernet(kGuidC, 3, "10.0.0.4")});
  std::string lowerB = kGuidB;
  for (char& ch : lowerB) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  }
  host::SetInterfaces({{1, DevicePath(Wide(kGuidA))},
                       {2, u"\\OTHER\\PATH_" + Wide(kGuidA)},
                       {3, DevicePath(Wide(lowerB))},
                       {4, Wide(kGuidC)}});
  host::SetRouterFriendlyName(DevicePath(Wide(kGuidA)), u"first");
  host::SetRouterFriendlyName(u"\\OTHER\\PATH_" + Wide(kGuidA), u"second");
  host::SetRouterFriendlyName(DevicePath(Wide(lowerB)), u"lower case");
  host::SetRouterFriendlyName(Wide(kGuidC), u"bare GUID");
  const auto list = Query();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].connectionName, "first");
  EXPECT_EQ(list[1].connectionName, "");
  EXPECT_EQ(list[2].connectionName, "bare GUID");
}

// Every adapter the interface table leaves without a name takes the one reported with its
// addresses for its own GUID, however the table came to miss it.
TEST_F(QueryAdaptersTest, AdaptersTheTableLeavesUnnamedTakeTheNameReportedWithTheirAddresses) {
  struct Case {
    const char* what;
    void (*script)();
    std::vector<std::string> names;  // of adapters A, B, C
  };
  const std::vector<Case> cases = {
      {"router service cannot connect",
       [] { host::SetRouterConnectAnswer(platform::kErrorNotSupported); },
       {"以太网 2", "veth-lan", "Wi-Fi"}},
      {"router service knows only A", [] {}, {"router A", "veth-lan", "Wi-Fi"}},
      {"interface table omits B",
       [] {
         host::SetInterfaces({{1, DevicePath(Wide(kGuidA))}, {3, DevicePath(Wide(kGuidC))}});
       },
       {"router A", "veth-lan", "Wi-Fi"}},
      {"second interface query fails",
       [] { host::SetInterfaceInfoScript({.secondCallAnswer = platform::kErrorNotSupported}); },
       {"以太网 2", "veth-lan", "Wi-Fi"}},
      {"interface size query refused",
       [] { host::SetInterfaceInfoScript({.sizeQueryAnswer = platform::kNoError}); },
       {"以太网 2", "veth-lan", "Wi-Fi"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2"), Ethernet(kGuidB, 2, "10.0.0.3"),
                       Ethernet(kGuidC, 3, "10.0.0.4")});
    host::SetInterfaces({{1, DevicePath(Wide(kGuidA))},
                         {2, DevicePath(Wide(kGuidB))},
                         {3, DevicePath(Wide(kGuidC))}});
    host::SetRouterFriendlyName(DevicePath(Wide(kGuidA)), u"router A");
    host::SetAddressesFriendlyNames({{kGuidB, u"veth-lan"},
                                     {kGuidA, u"以太网 2"},
                                     {kGuidC, u"Wi-Fi"},
                                     {kGuidC, u"later duplicate"}});
    c.script();

    const auto list = Query();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].connectionName, c.names[0]);
    EXPECT_EQ(list[1].connectionName, c.names[1]);
    EXPECT_EQ(list[2].connectionName, c.names[2]);
    EXPECT_EQ(JournalCount("GetAdaptersAddresses"), 1);  // once per query, not per adapter
    TearDown();
  }
}

TEST_F(QueryAdaptersTest, NamesAreNotAskedTwiceAndMatchTheGuidExactly) {
  host::SetAdapters({Ethernet(kGuidA, 1, "10.0.0.2"), Ethernet(kGuidB, 2, "10.0.0.3")});
  host::SetInterfaces({{1, DevicePath(Wide(kGuidA))}, {2, DevicePath(Wide(kGuidB))}});
  host::SetRouterFriendlyName(DevicePath(Wide(kGuidA)), u"Ethernet");
  host::SetRouterFriendlyName(DevicePath(Wide(kGuidB)), u"Wi-Fi");
  Query();
  EXPECT_EQ(JournalCount("GetAdaptersAddresses"), 0);  // every adapter already has its name

  host::SetRouterConnectAnswer(platform::kErrorNotSupported);
  std::string lowerA = kGuidA;
  for (char& ch : lowerA) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  }
  host::SetAddressesFriendlyNames({{lowerA, u"wrong case"}, {kGuidB, u"Wi-Fi"}});
  const auto list = Query();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].connectionName, "");
  EXPECT_EQ(list[1].connectionName, "Wi-Fi");
}

TEST(AdapterTypeName, NamesTheKnownCodesAndPrintsTheRest) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {1, "OTHER"}, {6, "ETHERNET"},  {9, "TOKENRING"}, {15, "FDDI"},
      {23, "PPP"},  {24, "LOOPBACK"}, {28, "SLIP"},     {71, "IEEE80211"},
      {131, "131"}, {0, "0"},         {-5, "-5"},       {INT32_MIN, "-2147483648"},
  };
  for (const auto& [type, name] : cases) {
    EXPECT_EQ(AdapterTypeName(type), name) << type;
  }
}

TEST(MacText, UpperCaseHexPairsJoinedByDashes) {
  const std::array<std::uint8_t, 8> address = {0x02, 0x1A, 0x0B, 0xC4, 0x5D, 0x00, 0xF0, 0x05};
  struct Case {
    std::uint32_t length;
    const char* text;
  };
  const Case cases[] = {
      {0, ""},
      {1, "02"},
      {6, "02-1A-0B-C4-5D-00"},
      {8, "02-1A-0B-C4-5D-00-F0-05"},
      {9, "02-1A-0B-C4-5D-00-F0-05"},  // never past the eight bytes
      {0xFFFFFFFF, "02-1A-0B-C4-5D-00-F0-05"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MacText(address, c.length), c.text) << c.length;
  }
  const std::array<std::uint8_t, 8> high = {0xAB, 0xFF, 0x0A, 0xE0};
  EXPECT_EQ(MacText(high, 4), "AB-FF-0A-E0");
}

}  // namespace
