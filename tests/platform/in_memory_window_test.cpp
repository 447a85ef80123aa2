// The host run time and the in-memory window beyond the control contracts: events, the scripted
// message loop, the journal, fault injection and the fatal paths.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/gui_runtime.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/journal.h"
#include "platform/internal_error.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> g_seen;

class InMemoryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen.clear();
    host::ResetMainWindow();
    host::UserClosesWindow();
    host::ClearJournal();
    host::ClearShownMessages();
  }
  void TearDown() override { host::ResetMainWindow(); }
};

TEST_F(InMemoryWindow, CreatedRunsWithTheControlsInPlaceBeforeTheWindowIsShown) {
  platform::MainWindowEvents events;
  events.created = [] {
    g_seen.push_back(host::MainWindowVisible() ? "visible" : "hidden");
    g_seen.push_back("row " + std::to_string(platform::InsertListRow(Control::超级列表框1)));
  };
  ASSERT_TRUE(platform::LoadMainWindow(events));
  EXPECT_THAT(g_seen, ElementsAre("hidden", "row 0"));
  EXPECT_TRUE(host::MainWindowVisible());
  EXPECT_THAT(host::Journal(),
              ElementsAre("LoadMainWindow", "InsertListRow -> 0", "MainWindowShown"));
}

TEST_F(InMemoryWindow, FailedCreationRaisesNothingAndOnlyTheNextLoadFails) {
  platform::MainWindowEvents events;
  events.created = [] { g_seen.push_back("created"); };
  host::FailNextWindowCreation();
  EXPECT_FALSE(platform::LoadMainWindow(events));
  EXPECT_FALSE(host::MainWindowExists());
  EXPECT_TRUE(g_seen.empty());
  EXPECT_TRUE(platform::LoadMainWindow(events));
  EXPECT_THAT(g_seen, ElementsAre("created"));
}

TEST_F(InMemoryWindow, MessageLoopReturnsAtOnceWithoutAWindow) {
  host::ScriptUserActions({[] { g_seen.push_back("acted"); }});
  platform::RunMessageLoop();
  EXPECT_TRUE(g_seen.empty());
}

// A pick posts its event: it runs after the pick is done, with the new selection in place.
TEST_F(InMemoryWindow, ComboPickRunsItsHandlerAfterThePickThroughThePostedEvent) {
  platform::MainWindowEvents events;
  events.refreshLatencyClicked = [] { g_seen.push_back("refresh"); };
  events.setDnsClicked = [] { g_seen.push_back("set dns"); };
  events.adapterSelected = [] {
    g_seen.push_back("selected " + std::to_string(platform::ComboSelection(Control::组合框1)));
  };
  ASSERT_TRUE(platform::LoadMainWindow(events));
  platform::AddComboItem(Control::组合框1, "以太网");
  platform::AddComboItem(Control::组合框1, "WLAN");
  host::ScriptUserActions({
      [] {
        host::UserPicksComboItem(1);
        g_seen.push_back("pick done");
      },
      [] { host::UserClicks(Control::按钮_刷新延时); },
      [] { host::UserClicks(Control::按钮_设置选中DNS); },
      [] {
        host::UserPicksComboItem(0);
        host::UserClosesWindow();  // the posted event dies with the window
      },
      [] { g_seen.push_back("never: the window is gone"); },
  });
  platform::RunMessageLoop();
  EXPECT_THAT(g_seen, ElementsAre("pick done", "selected 1", "refresh", "set dns"));
  EXPECT_FALSE(host::MainWindowExists());

  // Setting the selection from the program raises nothing.
  ASSERT_TRUE(platform::LoadMainWindow(events));
  platform::AddComboItem(Control::组合框1, "以太网");
  platform::SetComboSelection(Control::组合框1, 0);
  host::DispatchPostedEvents();
  EXPECT_EQ(g_seen.size(), 4u);
}

TEST_F(InMemoryWindow, MessageLoopClosesTheWindowWhenTheScriptRunsOut) {
  ASSERT_TRUE(platform::LoadMainWindow({}));
  platform::RunMessageLoop();
  EXPECT_FALSE(host::MainWindowExists());
}

TEST_F(InMemoryWindow, RefusedRowsAndItemsGiveMinusOne) {
  host::RefuseListRows(true);
  host::RefuseComboItems(true);
  ASSERT_TRUE(platform::LoadMainWindow({}));  // the refusals outlive the load
  EXPECT_EQ(platform::InsertListRow(Control::超级列表框1), -1);
  platform::SetListCellText(Control::超级列表框1, -1, 0, "阿里");
  EXPECT_EQ(host::ListRowCount(Control::超级列表框1), 0);
  EXPECT_EQ(platform::AddComboItem(Control::组合框1, "以太网"), -1);
  EXPECT_EQ(host::ComboItemCount(Control::组合框1), 0);
  host::RefuseListRows(false);
  EXPECT_EQ(platform::InsertListRow(Control::超级列表框1), 0);
}

TEST_F(InMemoryWindow, JournalRecordsEveryOperationInOrder) {
  ASSERT_TRUE(platform::LoadMainWindow({}));
  host::ClearJournal();
  platform::InsertListRow(Control::超级列表框1);
  platform::SetListCellText(Control::超级列表框1, 0, 3, "23ms");
  platform::SetComboSelection(Control::组合框1, 5);
  platform::SetAddress(Control::IP编辑框_DNS1, "1.2.3.4.5");
  platform::SetAddress(Control::IP编辑框_DNS2, "1.2.3");
  platform::AddressText(Control::IP编辑框_DNS1);
  platform::ShowMessage("DNS设置成功!", platform::MessageIcon::Information);
  platform::Pause(1000);
  platform::Pause(-5);
  platform::ShowMessage("设置失败", platform::MessageIcon::Stop, "错误");
  EXPECT_THAT(
      host::Journal(),
      ElementsAre("InsertListRow -> 0", "SetListCellText 0 3 23ms", "SetComboSelection 5 -> -1",
                  "SetAddress IP编辑框_DNS1 1.2.3.4.5 -> 1.2.3.4",
                  "SetAddress IP编辑框_DNS2 1.2.3 -> blank", "AddressText IP编辑框_DNS1 -> 1.2.3.4",
                  "ShowMessage 64 信息： DNS设置成功!", "Pause 1000", "Pause 0",
                  "ShowMessage 16 错误 设置失败"));
  ASSERT_EQ(host::ShownMessages().size(), 2u);
  EXPECT_EQ(host::ShownMessages()[1].text, "设置失败");
  EXPECT_EQ(host::ShownMessages()[1].icon, 16u);
  EXPECT_EQ(host::ShownMessages()[1].title, "错误");
}

using InMemoryWindowDeathTest = InMemoryWindow;

TEST_F(InMemoryWindowDeathTest, AnOperationOnAControlOfAnotherKindIsAnInternalError) {
  ASSERT_TRUE(platform::LoadMainWindow({}));
  EXPECT_EXIT(platform::InsertListRow(Control::组合框1), ::testing::ExitedWithCode(3),
              HasSubstr("InsertListRow on 组合框1"));
  EXPECT_EXIT(platform::SetAddress(Control::编辑框_MAC, "8.8.8.8"), ::testing::ExitedWithCode(3),
              HasSubstr("SetAddress on 编辑框_MAC"));
}

TEST_F(InMemoryWindowDeathTest, InternalErrorStopsWithCode3AndEndProcessNowWithItsCode) {
  EXPECT_EXIT(platform::StopOnInternalError("slot 6 of providerNames"),
              ::testing::ExitedWithCode(3), HasSubstr("internal error: slot 6 of providerNames"));
  EXPECT_EXIT(platform::EndProcessNow(-1), ::testing::ExitedWithCode(255), "");
}

}  // namespace
