// Under Wine, in a namespace whose veth connections the test script made: QueryAdapters lists
// them as the system reports them. The expected connections come on the command line, in the
// order they were made, as NAME|MAC|FIRST_IPV4|DNS1|DNS2.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "adapters/adapter_query.h"

namespace {

struct Expected {
  std::string name;
  std::string mac;
  std::string ip;
  std::string dns1;
  std::string dns2;
};

std::vector<Expected> g_expected;

Expected ParseExpected(const std::string& argument) {
  std::vector<std::string> parts;
  std::stringstream in(argument);
  for (std::string part; std::getline(in, part, '|');) {
    parts.push_back(part);
  }
  parts.resize(5);
  return {parts[0], parts[1], parts[2], parts[3], parts[4]};
}

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
  for (const Expected& e : g_expected) {
    expectedNames.push_back(e.name);
  }
  EXPECT_EQ(names, expectedNames);

  for (const Expected& e : g_expected) {
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
  for (int i = 1; i < argc; ++i) {
    g_expected.push_back(ParseExpected(argv[i]));
  }
  return RUN_ALL_TESTS();
}
