#include "platform/gui_runtime.h"
#include "platform/host/in_memory_window.h"
#include "platform/main_window_driver.h"

namespace driver {

void OpenMainWindow() {
  host::ResetMainWindow();
  platform::InitGuiRuntime();
  platform::LoadMainWindow({});
}

void CloseMainWindow() {
  host::UserClosesWindow();
}

void UserTypesAddressFields(Control box, std::array<int, 4> fields) {
  host::UserTypesAddressFields(box, fields);
}

int FocusedListRow() {
  return host::FocusedListRow(Control::超级列表框1);
}

}  // namespace driver
