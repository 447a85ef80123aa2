// The adapter selector over the in-memory window and scripted adapters: what 组合框1 lists,
// which record the four boxes show, and how the user's last pick survives a refresh.
#include "adapters/adapter_selector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "ip_helper_fixture.h"
#include "platform/controls.h"
#include "platform/host/in_memory_window.h"

namespace {

constexpr Control kCombo = Control::组合框1;

struct Shown {
  std::string mac;
  std::string ip;
  std::string dns1;
  std::string dns2;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.mac << ", " << s.ip << ", " << s.dns1 << ", " << s.dns2 << "}";
}

Shown Boxes() {
  return {platform::EditText(Control::编辑框_MAC), platform::AddressText(Control::IP编辑框_IP),
          platform::AddressText(Control::IP编辑框_DNS1),
          platform::AddressText(Control::IP编辑框_DNS2)};
}

std::vector<std::string> Items() {
  std::vector<std::string> items;
  for (int i = 0; i < host::ComboItemCount(kCombo); ++i) {
    items.push_back(platform::ComboItemText(kCombo, i));
  }
  return items;
}

// A connection named `name`, with a MAC ending in `n`, address 10.0.n.2 and the DNS servers.
host::ScriptedAdapter Connection(int n, std::vector<std::string> dns) {
  const std::string guid = "{0000000" + std::to_string(n) + "-AAAA-4000-8000-000000000000}";
  auto adapter = Ethernet(guid, static_cast<std::uint32_t>(n), "10.0." + std::to_string(n) + ".2",
                          std::move(dns));
  return adapter;
}

std::string MacOf(int n) {
  char text[32];
  std::snprintf(text, sizeof text, "02-1A-0B-C4-5D-%02X", n);
  return text;
}

class AdapterSelectorTest : public ScriptedMachineTest {
 protected:
  void SetUp() override {
    ScriptedMachineTest::SetUp();
    InitAppState();
    platform::MainWindowEvents events;
    events.adapterSelected = OnAdapterSelected;
    host::ResetMainWindow(events);
  }
  void TearDown() override { ReleaseAppState(); }

  static void StartUp() {
    RefreshAdapterList();
    ShowAdapterDetails();
  }

  // What the program does after a successful DNS change.
  static void RefreshAfterDnsChange() {
    RefreshAdapterList();
    RestoreAdapterSelection();
  }

  static void UserPicks(int item) {
    host::UserPicksComboItem(item);
    host::DispatchPostedEvents();
  }
};

TEST_F(AdapterSelectorTest, StartUpListsTheConnectionsAndShowsTheFirst) {
  ScriptConnections({Connection(1, {"10.0.1.53", "10.0.1.54", "10.0.1.55"}),
                     Connection(2, {"10.0.2.53"}), Connection(3, {})},
                    {u"以太网 2", u"Connexion réseau", u"Wi-Fi"});
  RefreshAdapterList();
  // The list is filled and its first item selected; the boxes are not touched yet.
  EXPECT_EQ(Boxes(), (Shown{"", "", "", ""}));
  ShowAdapterDetails();

  EXPECT_EQ(Items(), (std::vector<std::string>{"以太网 2", "Connexion réseau", "Wi-Fi"}));
  EXPECT_EQ(platform::ComboSelection(kCombo), 0);
  EXPECT_EQ(Boxes(), (Shown{MacOf(1), "10.0.1.2", "10.0.1.53", "10.0.1.54"}));
  EXPECT_EQ(TheAppState().savedAdapterIndex, 0);

  UserPicks(1);  // one DNS server: DNS2 blank
  EXPECT_EQ(Boxes(), (Shown{MacOf(2), "10.0.2.2", "10.0.2.53", ""}));
  UserPicks(2);  // none
  EXPECT_EQ(Boxes(), (Shown{MacOf(3), "10.0.3.2", "", ""}));
  EXPECT_EQ(TheAppState().savedAdapterIndex, 2);
}

TEST_F(AdapterSelectorTest, EveryPickIsShownAndSavedAlsoTheFirstItemAfterAnother) {
  ScriptConnections(
      {Connection(1, {"10.0.1.53", "10.0.1.54"}), Connection(2, {"10.0.2.53"}), Connection(3, {})},
      {u"a", u"b", u"c"});
  StartUp();

  // Item 0 is picked back after others: position 0 is a pick like any other, not "none".
  struct Step {
    int item;
    Shown shown;
  };
  const Step steps[] = {
      {1, {MacOf(2), "10.0.2.2", "10.0.2.53", ""}},
      {0, {MacOf(1), "10.0.1.2", "10.0.1.53", "10.0.1.54"}},
      {2, {MacOf(3), "10.0.3.2", "", ""}},
      {0, {MacOf(1), "10.0.1.2", "10.0.1.53", "10.0.1.54"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE("pick item " + std::to_string(step.item));
    UserPicks(step.item);
    EXPECT_EQ(platform::ComboSelection(kCombo), step.item);
    EXPECT_EQ(Boxes(), step.shown);
    EXPECT_EQ(TheAppState().savedAdapterIndex, step.item);
  }

  // The saved pick is item 0: a refresh restores it, not the item picked before.
  RefreshAfterDnsChange();
  EXPECT_EQ(platform::ComboSelection(kCombo), 0);
  EXPECT_EQ(Boxes(), (Shown{MacOf(1), "10.0.1.2", "10.0.1.53", "10.0.1.54"}));
}

TEST_F(AdapterSelectorTest, StartUpWithoutAdaptersLeavesEverythingEmpty) {
  StartUp();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(platform::ComboSelection(kCombo), -1);
  EXPECT_EQ(Boxes(), (Shown{"", "", "", ""}));
}

TEST_F(AdapterSelectorTest, PickedItemIsShownAgainAfterARefreshWithItsNewServers) {
  ScriptConnections(
      {Connection(1, {"10.0.1.53"}), Connection(2, {"10.0.2.53"}), Connection(3, {"10.0.3.53"})},
      {u"a", u"b", u"c"});
  StartUp();
  UserPicks(2);
  EXPECT_EQ(TheAppState().savedAdapterIndex, 2);

  // The DNS change took effect, and the system now reports the adapters in another order: the
  // choice is restored by position.
  ScriptConnections({Connection(3, {"223.5.5.5", "223.6.6.6"}), Connection(1, {"10.0.1.53"}),
                     Connection(2, {"119.29.29.29", "182.254.116.116"})},
                    {u"c", u"a", u"b"});
  RefreshAfterDnsChange();
  EXPECT_EQ(Items(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(platform::ComboSelection(kCombo), 2);
  EXPECT_EQ(Boxes(), (Shown{MacOf(2), "10.0.2.2", "119.29.29.29", "182.254.116.116"}));
  EXPECT_EQ(TheAppState().savedAdapterIndex, 2);
}

TEST_F(AdapterSelectorTest, NoPickSinceStartUpRestoresTheFirstItem) {
  ScriptConnections({Connection(1, {"10.0.1.53"}), Connection(2, {"10.0.2.53"})}, {u"a", u"b"});
  StartUp();
  RefreshAfterDnsChange();
  EXPECT_EQ(Items(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(platform::ComboSelection(kCombo), 0);
  EXPECT_EQ(Boxes(), (Shown{MacOf(1), "10.0.1.2", "10.0.1.53", ""}));
}

TEST_F(AdapterSelectorTest, SavedPositionBeyondTheListIsClampedButKept) {
  ScriptConnections({Connection(1, {}), Connection(2, {}), Connection(3, {}), Connection(4, {})},
                    {u"a", u"b", u"c", u"d"});
  StartUp();
  UserPicks(3);
  ASSERT_EQ(TheAppState().savedAdapterIndex, 3);

  ScriptConnections({Connection(1, {}), Connection(2, {"10.0.2.53"})}, {u"a", u"b"});
  RefreshAfterDnsChange();
  EXPECT_EQ(Items(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(platform::ComboSelection(kCombo), 1);
  EXPECT_EQ(Boxes(), (Shown{MacOf(2), "10.0.2.2", "10.0.2.53", ""}));
  EXPECT_EQ(TheAppState().savedAdapterIndex, 3);

  ScriptConnections({Connection(1, {}), Connection(2, {}), Connection(3, {}), Connection(4, {})},
                    {u"a", u"b", u"c", u"d"});
  RefreshAfterDnsChange();
  EXPECT_EQ(platform::ComboSelection(kCombo), 3);
  EXPECT_EQ(Boxes().mac, MacOf(4));
}

TEST_F(AdapterSelectorTest, EmptyRefreshKeepsTheDetailsShownBefore) {
  ScriptConnections({Connection(1, {"10.0.1.53", "10.0.1.54"}), Connection(2, {})}, {u"a", u"b"});
  StartUp();
  host::SetAdapters({});
  RefreshAfterDnsChange();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(platform::ComboSelection(kCombo), -1);
  EXPECT_EQ(Boxes(), (Shown{MacOf(1), "10.0.1.2", "10.0.1.53", "10.0.1.54"}));
  EXPECT_TRUE(TheAppState().AdapterList.empty());
}

}  // namespace
