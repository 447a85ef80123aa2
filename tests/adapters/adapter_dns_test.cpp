#include "adapters/adapter_dns.h"

#include <gtest/gtest.h>

#include "ip_helper_fixture.h"
#include "platform/ip_helper.h"

namespace {

using AdapterDnsTest = ScriptedMachineTest;

TEST_F(AdapterDnsTest, FirstTwoServersOfTheList) {
  struct Case {
    const char* what;
    std::vector<std::string> servers;
    std::string dns1;
    std::string dns2;
  };
  const Case cases[] = {
      {"three servers", {"10.0.0.53", "10.0.1.53", "10.0.2.53"}, "10.0.0.53", "10.0.1.53"},
      {"one server", {"192.168.1.1"}, "192.168.1.1", ""},
      {"first entry empty", {"", "10.0.1.53"}, "", "10.0.1.53"},
      {"no servers", {}, "", ""},
      {"address fills the array", {"255.255.255.2551", "1.1.1.1"}, "255.255.255.2551", "1.1.1.1"},
      {"address longer than the array", {"123.123.123.123XYZ"}, "123.123.123.123X", ""},
  };
  for (const Case& c : cases) {
    host::SetAdapters({Ethernet("{G}", 4, "10.0.0.2", c.servers)});
    std::string dns1 = "old1";
    std::string dns2 = "old2";
    EXPECT_TRUE(QueryAdapterDns(4, dns1, dns2)) << c.what;
    EXPECT_EQ(dns1, c.dns1) << c.what;
    EXPECT_EQ(dns2, c.dns2) << c.what;
  }
}

TEST_F(AdapterDnsTest, FailedQueriesLeaveBothEmpty) {
  struct Case {
    const char* what;
    host::QueryScript script;
  };
  const Case cases[] = {
      {"size query answers no data", {.sizeQueryAnswer = platform::kErrorNoData}},
      {"size query answers success", {.sizeQueryAnswer = platform::kNoError}},
      {"size query reports 0 bytes", {.reportedSize = 0u}},
      {"second call fails", {.secondCallAnswer = platform::kErrorBufferOverflow}},
      {"answer too short for the record", {.reportedSize = 8u}},
  };
  for (const Case& c : cases) {
    auto adapter = Ethernet("{G}", 4, "10.0.0.2", {"10.0.0.53", "10.0.1.53"});
    adapter.dnsScript = c.script;
    host::SetAdapters({adapter});
    std::string dns1 = "old1";
    std::string dns2 = "old2";
    EXPECT_FALSE(QueryAdapterDns(4, dns1, dns2)) << c.what;
    EXPECT_EQ(dns1, "") << c.what;
    EXPECT_EQ(dns2, "") << c.what;
  }
  std::string dns1 = "old1";
  std::string dns2 = "old2";
  EXPECT_FALSE(QueryAdapterDns(99, dns1, dns2)) << "unknown adapter";
  EXPECT_EQ(dns1 + dns2, "");
}

TEST_F(AdapterDnsTest, TruncatedListStopsAtTheBufferEnd) {
  // Room for the record and the second entry only: the third is linked to outside the buffer.
  auto adapter = Ethernet("{G}", 4, "10.0.0.2", {"10.0.0.53", "10.0.1.53", "10.0.2.53"});
  adapter.dnsScript.reportedSize = static_cast<std::uint32_t>(
      sizeof(platform::IP_PER_ADAPTER_INFO) + sizeof(platform::IP_ADDR_STRING));
  host::SetAdapters({adapter});
  std::string dns1;
  std::string dns2;
  EXPECT_TRUE(QueryAdapterDns(4, dns1, dns2));
  EXPECT_EQ(dns1, "10.0.0.53");
  EXPECT_EQ(dns2, "10.0.1.53");
}

}  // namespace
