// The operations of the main window's controls, held to the same contracts on the in-memory
// window (host build) and on the real controls (run under Wine).
#include <gtest/gtest.h>

#include <string>

#include "platform/controls.h"
#include "platform/main_window_driver.h"

namespace {

constexpr Control kList = Control::超级列表框1;
constexpr Control kCombo = Control::组合框1;

class ControlsContract : public ::testing::Test {
 protected:
  void SetUp() override { driver::OpenMainWindow(); }
  void TearDown() override { driver::CloseMainWindow(); }

  static void AddItems(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(platform::AddComboItem(kCombo, "网卡" + std::to_string(i)), i);
    }
  }
  static void InsertRows(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(platform::InsertListRow(kList), i);
    }
  }
};

TEST_F(ControlsContract, ComboSelectionIsClampedToTheItems) {
  const struct {
    int items;
    int asked;
    int selected;
  } cases[] = {{3, 5, 2},  {3, 1, 1},   {3, 0, 0},  {3, -1, -1}, {3, -2, -1},
               {0, 0, -1}, {0, -2, -1}, {0, 3, -1}, {1, 100, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.items) + " items, asked " + std::to_string(c.asked));
    platform::EmptyComboList(kCombo);
    AddItems(c.items);
    platform::SetComboSelection(kCombo, c.items > 0 ? 0 : -1);  // start from another state
    platform::SetComboSelection(kCombo, c.asked);
    EXPECT_EQ(platform::ComboSelection(kCombo), c.selected);
  }
}

TEST_F(ControlsContract, ComboItemsKeepOrderAndSelection) {
  EXPECT_EQ(platform::ComboSelection(kCombo), -1) << "no selection at start";
  EXPECT_EQ(platform::AddComboItem(kCombo, "以太网"), 0);
  EXPECT_EQ(platform::ComboSelection(kCombo), -1) << "adding selects nothing";
  EXPECT_EQ(platform::AddComboItem(kCombo, "WLAN"), 1);
  EXPECT_EQ(platform::AddComboItem(kCombo, "Ethernet 0"), 2);  // unsorted: stays last
  platform::SetComboSelection(kCombo, 1);
  EXPECT_EQ(platform::AddComboItem(kCombo, "本地连接"), 3);
  EXPECT_EQ(platform::ComboSelection(kCombo), 1) << "adding keeps the selection";

  EXPECT_EQ(platform::ComboItemText(kCombo, 0), "以太网");
  EXPECT_EQ(platform::ComboItemText(kCombo, 2), "Ethernet 0");
  EXPECT_EQ(platform::ComboItemText(kCombo, 3), "本地连接");
  for (int missing : {-1, 4, 1000}) {
    EXPECT_EQ(platform::ComboItemText(kCombo, missing), "") << missing;
  }

  platform::EmptyComboList(kCombo);
  EXPECT_EQ(platform::ComboSelection(kCombo), -1);
  for (int index : {-1, 0, 1, 3}) {
    EXPECT_EQ(platform::ComboItemText(kCombo, index), "") << index;
  }
}

TEST_F(ControlsContract, AddressBoxShowsValidTextsAndBlanksTheRest) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"8.8.8.8", "8.8.8.8"},
      {" 8.8.8.8 ", "8.8.8.8"},
      {"1.2.3.4.5", "1.2.3.4"},
      {"a.b.c.d", "0.0.0.0"},
      {"0.0.0.0", "0.0.0.0"},  // four zero fields are not a blank box
      {"010. 2 .3x.255", "10.2.3.255"},
      {"1.2.-3.4", ""},
      {"", ""},
      {"1.2.3", ""},
      {"1.2.3.256", ""},
      {"300.1.1.1", ""},
  };
  for (Control box : {Control::IP编辑框_IP, Control::IP编辑框_DNS1, Control::IP编辑框_自定义DNS2}) {
    EXPECT_EQ(platform::AddressText(box), "") << "blank at start";
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string("\"") + c.text + "\"");
      platform::SetAddress(box, "9.9.9.9");  // the box shows something before
      platform::SetAddress(box, c.text);
      EXPECT_EQ(platform::AddressText(box), c.shown);
    }
  }
}

TEST_F(ControlsContract, AddressBoxReadsWhatTheUserTyped) {
  const struct {
    Control box;
    std::array<int, 4> typed;
    const char* read;
  } cases[] = {
      {Control::IP编辑框_自定义DNS1, {10, 1, -1, -1}, "10.1.0.0"},
      {Control::IP编辑框_自定义DNS1, {-1, -1, -1, -1}, ""},
      {Control::IP编辑框_IP, {-1, -1, -1, 7}, "0.0.0.7"},
      {Control::IP编辑框_IP, {192, 168, 1, 254}, "192.168.1.254"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(LayoutOf(c.box).name) + " " + c.read);
    driver::UserTypesAddressFields(c.box, c.typed);
    EXPECT_EQ(platform::AddressText(c.box), c.read);
  }
}

TEST_F(ControlsContract, ListCellsHoldTheirTextAndMissingCellsReadEmpty) {
  InsertRows(3);
  EXPECT_EQ(platform::ListCellText(kList, 2, 4), "") << "new rows have empty cells";
  platform::SetListCellText(kList, 0, 0, "阿里");
  platform::SetListCellText(kList, 1, 3, "23ms");
  platform::SetListCellText(kList, 1, 3, "7ms");  // replaces
  EXPECT_EQ(platform::ListCellText(kList, 0, 0), "阿里");
  EXPECT_EQ(platform::ListCellText(kList, 1, 3), "7ms");

  // Writes off the rows change nothing; reads off the cells give "".
  platform::SetListCellText(kList, 3, 0, "x");
  platform::SetListCellText(kList, -1, 0, "x");
  platform::SetListCellText(kList, 0, 5, "x");
  for (auto [row, column] : {std::pair{3, 0}, {-1, 0}, {0, 5}, {0, -1}, {100, 100}}) {
    EXPECT_EQ(platform::ListCellText(kList, row, column), "") << row << "," << column;
  }
  EXPECT_EQ(platform::ListCellText(kList, 0, 0), "阿里");
  EXPECT_EQ(platform::InsertListRow(kList), 3) << "a write off the rows added none";
}

TEST_F(ControlsContract, LongCellTextIsReadBackWhole) {
  InsertRows(1);
  std::string text;
  for (int i = 0; i < 1000; ++i) {
    text += static_cast<char>('a' + i % 26);
  }
  text += "延时";
  platform::SetListCellText(kList, 0, 2, text);
  EXPECT_EQ(platform::ListCellText(kList, 0, 2), text);
}

TEST_F(ControlsContract, ListSelection) {
  EXPECT_EQ(platform::SelectedListRow(kList), -1) << "nothing selected at start";
  InsertRows(3);
  EXPECT_EQ(platform::SelectedListRow(kList), -1) << "inserted rows are not selected";

  platform::SetSelectedListRow(kList, -1);  // with none selected: nothing changes
  EXPECT_EQ(platform::SelectedListRow(kList), -1);

  platform::SetSelectedListRow(kList, 1);
  EXPECT_EQ(platform::SelectedListRow(kList), 1);
  EXPECT_EQ(driver::FocusedListRow(), 1);
  platform::SetSelectedListRow(kList, 2);
  EXPECT_EQ(platform::SelectedListRow(kList), 2) << "one row at most";
  platform::SetSelectedListRow(kList, 5);
  EXPECT_EQ(platform::SelectedListRow(kList), 2) << "a missing row changes nothing";

  platform::SetSelectedListRow(kList, -3);
  EXPECT_EQ(platform::SelectedListRow(kList), -1);
  EXPECT_EQ(driver::FocusedListRow(), -1) << "the row also loses its focused state";

  platform::SetSelectedListRow(kList, 0);
  platform::DeleteAllListRows(kList);
  EXPECT_EQ(platform::SelectedListRow(kList), -1);
  EXPECT_EQ(platform::ListCellText(kList, 0, 0), "");
  EXPECT_EQ(platform::InsertListRow(kList), 0) << "rows count from 0 again";
}

TEST_F(ControlsContract, EditBoxTextIsReplacedWhole) {
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), "");
  platform::SetEditText(Control::编辑框_MAC, "02-1A-0B-C4-5D-00");
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), "02-1A-0B-C4-5D-00");
  platform::SetEditText(Control::编辑框_MAC, "网卡");
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), "网卡");
  platform::SetEditText(Control::编辑框_MAC, "");
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), "");
}

// Without a main window every operation acts on nothing.
TEST_F(ControlsContract, OperationsWithoutAWindowActOnNothing) {
  driver::CloseMainWindow();
  EXPECT_EQ(platform::InsertListRow(kList), -1);
  EXPECT_EQ(platform::ListCellText(kList, 0, 0), "");
  EXPECT_EQ(platform::SelectedListRow(kList), -1);
  EXPECT_EQ(platform::AddComboItem(kCombo, "以太网"), -1);
  EXPECT_EQ(platform::ComboSelection(kCombo), -1);
  platform::SetAddress(Control::IP编辑框_IP, "8.8.8.8");
  EXPECT_EQ(platform::AddressText(Control::IP编辑框_IP), "");
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), "");
}

}  // namespace
