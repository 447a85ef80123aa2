// Under Wine, in a namespace whose veth connections the test script made: QueryAdapters lists
// them as the system reports them. The expected connections come on the command line, in the
// order they were made, as NAME|MAC|FIRST_IPV4|DNS1|DNS2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/adapter_query.h"
#include "adapters/expected_connections.h"

namespace {

std::vector<ExpectedConnection> g_expected;

TEST(QueryAdaptersUnderWine, ListsTheNamespacesConnectionsAsTheSystemReportsThem) {
  ASSERT_FALSE(g_expected.empty()) << "no expected connections given";
  std::vector<AdapterRecord> list;
  const int count = QueryAdapters(list);
  ASSERT_EQ(count, static_cast<int>(list.size()));
  for (const AdapterRecord& record : list) {
    std::cout << "adapter " << record.adapterName << " '" << record.connectionName << "' "
              << record.typeName << " " << record.macText << " " << record.ipAddress << "/"
              << record.subnetMask << " dns " << record.dns1 << " " << record.dns2 << "\n";
  }

  // Every expected connection, once, in the order made; nothing else but the loopback.
  std::vector<std::string> names;
  for (const AdapterRecord& record : list) {
    if (record.typeNumber != 24) {
      names.push_back(record.connectionName);
    }
  }
  std::vector<std::string> expectedNames;
  for (const ExpectedConnection& e : g_expected) {
    expectedNames.push_back(e.name);
  }
  EXPECT_EQ(names, expectedNames);

  for (const ExpectedConnection& e : g_expected) {
    const auto record = std::find_if(list.begin(), list.end(),
                                     [&](const auto& r) { return r.connectionName == e.name; });
    ASSERT_NE(record, list.end()) << e.name;
    EXPECT_EQ(record->macText, e.mac) << e.name;
    EXPECT_EQ(record->ipAddress, e.ip) << e.name;
    EXPECT_EQ(record->subnetMask, "255.255.255.0") << e.name;
    EXPECT_EQ(record->dns1, e.dns1) << e.name;
    EXPECT_EQ(record->dns2, e.dns2) << e.name;
    EXPECT_EQ(record->typeName, "ETHERNET") << e.name;
    EXPECT_EQ(record->adapterName.front(), '{') << e.name;
    EXPECT_EQ(record->adapterName.back(), '}') << e.name;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_expected = ParseExpectedConnections(argc, argv);
  return RUN_ALL_TESTS();
}
