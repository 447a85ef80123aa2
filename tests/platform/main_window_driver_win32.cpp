#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gui_runtime.h"
#include "platform/main_window_driver.h"
#include "platform/main_window_pump.h"
#include "platform/win32/main_window.h"

namespace driver {
namespace {

HWND ControlHandle(Control control) {
  return GetDlgItem(platform::win32::MainWindow(), platform::win32::ControlId(control));
}

// The four field edits of an address box, left to right.
std::vector<HWND> AddressFields(HWND box) {
  std::vector<HWND> fields;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    fields.push_back(child);
  }
  std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return fields;
}

}  // namespace

void OpenMainWindow() {
  platform::InitGuiRuntime();
  platform::LoadMainWindow({});
  PumpMessages();
}

void CloseMainWindow() {
  if (HWND window = platform::win32::MainWindow()) {
    DestroyWindow(window);
  }
  PumpMessages();
}

void UserTypesAddressFields(Control box, std::array<int, 4> fields) {
  HWND window = ControlHandle(box);
  SendMessageW(window, IPM_CLEARADDRESS, 0, 0);
  const std::vector<HWND> edits = AddressFields(window);
  for (std::size_t i = 0; i < fields.size() && i < edits.size(); ++i) {
    if (fields[i] < 0) {
      continue;
    }
    // Keys go to the field that has the focus, through the window's message loop.
    SetFocus(edits[i]);
    for (char digit : std::to_string(fields[i])) {
      PostMessageW(GetFocus(), WM_CHAR, static_cast<WPARAM>(digit), 1);
      PumpMessages();
    }
  }
  SetFocus(ControlHandle(Control::超级列表框1));  // leaving the box ends the typing
  PumpMessages();
}

int FocusedListRow() {
  return static_cast<int>(SendMessageW(ControlHandle(Control::超级列表框1), LVM_GETNEXTITEM,
                                       static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

}  // namespace driver
