// Under Wine, the real main window in a namespace whose veth connections the test script made:
// start-up lists the connections in 组合框1 in the system's order and shows the first one's
// details; a pick through the combo box's own notification shows the picked connection and is
// remembered. The expected connections come on the command line, in the order they were made,
// as NAME|MAC|FIRST_IPV4|DNS1|DNS2.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/expected_connections.h"
#include "app/app_state.h"
#include "app/main_window_events.h"
#include "platform/controls.h"
#include "platform/gui_runtime.h"
#include "platform/win32/main_window.h"

namespace {

constexpr Control kCombo = Control::组合框1;

std::vector<ExpectedConnection> g_expected;

HWND Combo() {
  return platform::win32::ControlWindow(kCombo, ControlKind::ComboBox, "test");
}

void ExpectDetailsOf(const ExpectedConnection& expected) {
  SCOPED_TRACE("details of " + expected.name);
  EXPECT_EQ(platform::EditText(Control::编辑框_MAC), expected.mac);
  EXPECT_EQ(platform::AddressText(Control::IP编辑框_IP), expected.ip);
  EXPECT_EQ(platform::AddressText(Control::IP编辑框_DNS1), expected.dns1);
  EXPECT_EQ(platform::AddressText(Control::IP编辑框_DNS2), expected.dns2);
}

// Dispatches what is queued for this thread, as the message loop would.
void DispatchQueuedMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

TEST(AdapterSelectorWindowUnderWine, ListsConnectionsAndShowsThePickedOne) {
  ASSERT_GE(g_expected.size(), 2u) << "run through wine_adapters_test.sh";
  ASSERT_TRUE(platform::InitGuiRuntime());
  InitAppState();
  ASSERT_TRUE(platform::LoadMainWindow(MainWindowEventBindings()));

  // Start-up: every connection, in the system's order, and the first one shown.
  const auto count = static_cast<int>(SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
  ASSERT_EQ(count, static_cast<int>(g_expected.size()));
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(platform::ComboItemText(kCombo, i), g_expected[static_cast<std::size_t>(i)].name);
  }
  EXPECT_EQ(platform::ComboSelection(kCombo), 0);
  ExpectDetailsOf(g_expected[0]);
  EXPECT_EQ(TheAppState().savedAdapterIndex, 0);

  // The user picks the last item: the combo box reports the confirmed choice to its parent.
  const int picked = count - 1;
  SendMessageW(Combo(), CB_SETCURSEL, static_cast<WPARAM>(picked), 0);
  SendMessageW(platform::win32::MainWindow(), WM_COMMAND,
               MAKEWPARAM(platform::win32::ControlId(kCombo), CBN_SELENDOK),
               reinterpret_cast<LPARAM>(Combo()));
  // The handler runs from the posted event, not inside the notification.
  ExpectDetailsOf(g_expected[0]);
  DispatchQueuedMessages();
  ExpectDetailsOf(g_expected[static_cast<std::size_t>(picked)]);
  EXPECT_EQ(TheAppState().savedAdapterIndex, picked);
  EXPECT_EQ(platform::ComboSelection(kCombo), picked);

  DestroyWindow(platform::win32::MainWindow());
  ReleaseAppState();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_expected = ParseExpectedConnections(argc, argv);
  return RUN_ALL_TESTS();
}
