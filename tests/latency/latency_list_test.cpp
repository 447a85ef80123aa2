// The provider table and the latency list over the in-memory window and the scripted probe
// system: what the list shows, in which order the rows are written and probed, and what the
// refresh button does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window_events.h"
#include "latency/latency_list.h"
#include "latency/provider_table.h"
#include "platform/controls.h"
#include "platform/gui_runtime.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/journal.h"
#include "platform/host/scripted_probe.h"

namespace {

using ::testing::ElementsAreArray;

constexpr Control kList = Control::超级列表框1;
constexpr std::uint32_t kDestinationHostUnreachable = 11003;

struct ExpectedProvider {
  std::string name;
  std::string primary;
  std::string secondary;
};

const std::array<ExpectedProvider, 6> kExpectedTable = {{
    {"DNSPod", "119.29.29.29", "182.254.116.116"},
    {"百度 DNS", "180.76.76.76", ""},
    {"阿里 DNS", "223.5.5.5", "223.6.6.6"},
    {"SDNS DNS", "1.2.4.8", "202.98.0.68"},
    {"DNS派", "101.226.4.6", "218.30.118.6"},
    {"", "", ""},
}};

// The network of one refresh: each resolver's answer and the latency text it must show.
struct ResolverAnswer {
  const char* address;
  enum { Reply, Silent, Unreachable } kind;
  std::uint32_t roundTrip;
  const char* shown;
};

const std::vector<ResolverAnswer> kFirstNetwork = {
    {"119.29.29.29", ResolverAnswer::Reply, 23, "23ms"},
    {"182.254.116.116", ResolverAnswer::Reply, 31, "31ms"},
    {"180.76.76.76", ResolverAnswer::Reply, 0, "0ms"},
    {"", ResolverAnswer::Silent, 0, "-1ms"},
    {"223.5.5.5", ResolverAnswer::Reply, 8, "8ms"},
    {"223.6.6.6", ResolverAnswer::Unreachable, 1, "-1ms"},
    {"1.2.4.8", ResolverAnswer::Silent, 0, "-1ms"},
    {"202.98.0.68", ResolverAnswer::Reply, 199, "199ms"},
    {"101.226.4.6", ResolverAnswer::Reply, 1500, "1500ms"},
    {"218.30.118.6", ResolverAnswer::Reply, 57, "57ms"},
};

const std::vector<ResolverAnswer> kSecondNetwork = {
    {"119.29.29.29", ResolverAnswer::Silent, 0, "-1ms"},
    {"182.254.116.116", ResolverAnswer::Reply, 12, "12ms"},
    {"180.76.76.76", ResolverAnswer::Unreachable, 0, "-1ms"},
    {"", ResolverAnswer::Silent, 0, "-1ms"},
    {"223.5.5.5", ResolverAnswer::Reply, 9, "9ms"},
    {"223.6.6.6", ResolverAnswer::Reply, 10, "10ms"},
    {"1.2.4.8", ResolverAnswer::Reply, 44, "44ms"},
    {"202.98.0.68", ResolverAnswer::Silent, 0, "-1ms"},
    {"101.226.4.6", ResolverAnswer::Reply, 2, "2ms"},
    {"218.30.118.6", ResolverAnswer::Reply, 3, "3ms"},
};

void ScriptNetwork(const std::vector<ResolverAnswer>& network) {
  host::ResetProbeScript();
  // The system resolves the empty name to the local computer, which answers at once; the list
  // must still not show a latency for a resolver that does not exist.
  host::ScriptHostName("", "127.0.0.1");
  host::ScriptEchoReply("127.0.0.1", 0);
  for (const ResolverAnswer& answer : network) {
    if (answer.kind == ResolverAnswer::Reply) {
      host::ScriptEchoReply(answer.address, answer.roundTrip);
    } else if (answer.kind == ResolverAnswer::Unreachable) {
      host::ScriptEchoReply(answer.address, answer.roundTrip, kDestinationHostUnreachable);
    }
  }
}

// Every cell of rows 0 to 4 as the network makes them, row by row.
std::vector<std::vector<std::string>> ExpectedRows(const std::vector<ResolverAnswer>& network) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t slot = 0; slot < 5; ++slot) {
    const ExpectedProvider& provider = kExpectedTable[slot];
    rows.push_back({provider.name, provider.primary, provider.secondary, network[2 * slot].shown,
                    network[2 * slot + 1].shown});
  }
  return rows;
}

std::vector<std::vector<std::string>> ShownRows() {
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < host::ListRowCount(kList); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < 5; ++column) {
      cells.push_back(platform::ListCellText(kList, row, column));
    }
    rows.push_back(cells);
  }
  return rows;
}

std::vector<std::string> ProbeEntries() {
  std::vector<std::string> probes;
  std::copy_if(host::Journal().begin(), host::Journal().end(), std::back_inserter(probes),
               [](const std::string& entry) { return entry.starts_with("ProbeLatency "); });
  return probes;
}

class LatencyListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitAppState();
    platform::MainWindowEvents events;
    events.refreshLatencyClicked = OnRefreshLatencyClicked;
    host::ResetMainWindow(events);
    ScriptNetwork(kFirstNetwork);
    host::ClearJournal();
  }
  void TearDown() override { ReleaseAppState(); }
};

// Row by row: the row, its three texts, then each probe directly followed by its cell.
TEST_F(LatencyListTest, RefreshWritesEachRowCompletelyInSlotOrder) {
  FillProviderTable();
  host::ClearJournal();
  RefreshLatencyList();

  std::vector<std::string> expected;
  for (int slot = 0; slot < 5; ++slot) {
    const ExpectedProvider& provider = kExpectedTable[static_cast<std::size_t>(slot)];
    const ResolverAnswer& primary = kFirstNetwork[2 * static_cast<std::size_t>(slot)];
    const ResolverAnswer& secondary = kFirstNetwork[2 * static_cast<std::size_t>(slot) + 1];
    const std::string row = std::to_string(slot);
    const auto probe = [](const std::string& address, const std::string& shown) {
      return "ProbeLatency " + (address.empty() ? std::string("\"\"") : address) + " 200 -> " +
             shown.substr(0, shown.size() - 2);
    };
    expected.insert(
        expected.end(),
        {"InsertListRow -> " + row, "SetListCellText " + row + " 0 " + provider.name,
         "SetListCellText " + row + " 1 " + provider.primary,
         "SetListCellText " + row + " 2 " + provider.secondary,
         probe(provider.primary, primary.shown), "SetListCellText " + row + " 3 " + primary.shown,
         probe(provider.secondary, secondary.shown),
         "SetListCellText " + row + " 4 " + secondary.shown});
  }
  EXPECT_THAT(host::Journal(), ElementsAreArray(expected));
  EXPECT_THAT(ShownRows(), ElementsAreArray(ExpectedRows(kFirstNetwork)));
  EXPECT_EQ(TheAppState().providerNumber, 6);
  EXPECT_EQ(TheAppState().currentRow, 4);
  EXPECT_EQ(platform::SelectedListRow(kList), -1);
}

TEST_F(LatencyListTest, EmptySecondaryIsListedButNeverProbed) {
  FillProviderTable();
  RefreshLatencyList();
  EXPECT_EQ(platform::ListCellText(kList, 1, 2), "");
  EXPECT_EQ(platform::ListCellText(kList, 1, 4), "-1ms");
  for (const std::string& echo : host::SentEchoRequests()) {
    EXPECT_NE(echo, "127.0.0.1 200");
  }
  EXPECT_EQ(host::SentEchoRequests().size(), 9u);
}

TEST_F(LatencyListTest, RefreshAppendsWithoutClearing) {
  FillProviderTable();
  RefreshLatencyList();
  ScriptNetwork(kSecondNetwork);
  RefreshLatencyList();
  std::vector<std::vector<std::string>> expected = ExpectedRows(kFirstNetwork);
  const std::vector<std::vector<std::string>> second = ExpectedRows(kSecondNetwork);
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_THAT(ShownRows(), ElementsAreArray(expected));
  EXPECT_EQ(TheAppState().currentRow, 9);
  EXPECT_EQ(TheAppState().providerNumber, 6);
}

TEST_F(LatencyListTest, TwoClicksInARowLeaveFiveRowsOfTheSecondMeasurement) {
  FillProviderTable();
  RefreshLatencyList();
  host::UserClicks(Control::按钮_刷新延时);
  ScriptNetwork(kSecondNetwork);
  host::ClearJournal();
  host::UserClicks(Control::按钮_刷新延时);

  EXPECT_THAT(ShownRows(), ElementsAreArray(ExpectedRows(kSecondNetwork)));
  EXPECT_EQ(TheAppState().currentRow, 4);
  EXPECT_EQ(platform::SelectedListRow(kList), -1);
  // The click deletes the old rows before anything is probed, and probes all ten cells again.
  ASSERT_GE(host::Journal().size(), 3u);
  EXPECT_EQ(host::Journal()[1], "DeleteAllListRows");
  EXPECT_EQ(host::Journal()[2], "InsertListRow -> 0");
  EXPECT_EQ(ProbeEntries().size(), 10u);
}

TEST_F(LatencyListTest, RefusedRowsLoseTheCellsButEveryResolverIsStillProbed) {
  FillProviderTable();
  host::RefuseListRows(true);
  RefreshLatencyList();
  EXPECT_EQ(host::ListRowCount(kList), 0);
  EXPECT_EQ(TheAppState().currentRow, -1);
  EXPECT_EQ(TheAppState().providerNumber, 6);
  EXPECT_EQ(ProbeEntries().size(), 10u);
}

TEST(LatencyTextTest, IsTheSignedDecimalFollowedByMs) {
  EXPECT_EQ(LatencyText(23), "23ms");
  EXPECT_EQ(LatencyText(0), "0ms");
  EXPECT_EQ(LatencyText(-1), "-1ms");
  EXPECT_EQ(LatencyText(1500), "1500ms");
}

// The program's own bindings: the created event measures before the window is shown, and the
// refresh button is bound.
TEST(MainWindowLatencyTest, WindowOpensWithMeasuredRowsAndRefreshButtonMeasuresAgain) {
  InitAppState();
  ScriptNetwork(kFirstNetwork);
  host::ResetMainWindow();
  host::ClearJournal();
  ASSERT_TRUE(platform::LoadMainWindow(MainWindowEventBindings()));

  EXPECT_THAT(ShownRows(), ElementsAreArray(ExpectedRows(kFirstNetwork)));
  const std::vector<std::string>& journal = host::Journal();
  const auto shown = std::find(journal.begin(), journal.end(), "MainWindowShown");
  const auto lastCell = std::find(journal.begin(), journal.end(), "SetListCellText 4 4 57ms");
  ASSERT_NE(shown, journal.end());
  EXPECT_LT(lastCell, shown);

  ScriptNetwork(kSecondNetwork);
  host::UserClicks(Control::按钮_刷新延时);
  EXPECT_THAT(ShownRows(), ElementsAreArray(ExpectedRows(kSecondNetwork)));
  ReleaseAppState();
}

}  // namespace
