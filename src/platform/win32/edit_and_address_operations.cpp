// The operations of controls.h on the real edit box and IPv4 address boxes.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "platform/address_rule.h"
#include "platform/controls.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform {

void SetEditText(Control edit, std::string_view text) {
  if (HWND window = win32::ControlWindow(edit, ControlKind::EditBox, "SetEditText")) {
    SetWindowTextW(window, win32::WideFromUtf8(text).c_str());
  }
}

std::string EditText(Control edit) {
  HWND window = win32::ControlWindow(edit, ControlKind::EditBox, "EditText");
  if (window == nullptr) {
    return {};
  }
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) {
    return {};
  }
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
  return win32::Utf8FromWide(buffer);
}

void SetAddress(Control box, std::string_view text) {
  HWND window = win32::ControlWindow(box, ControlKind::AddressBox, "SetAddress");
  if (window == nullptr) {
    return;
  }
  if (const std::optional<AddressFields> fields = ParseAddressText(text)) {
    const LPARAM address = MAKEIPADDRESS((*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3]);
    SendMessageW(window, IPM_SETADDRESS, 0, address);
  } else {
    SendMessageW(window, IPM_CLEARADDRESS, 0, 0);
  }
}

std::string AddressText(Control box) {
  HWND window = win32::ControlWindow(box, ControlKind::AddressBox, "AddressText");
  if (window == nullptr || SendMessageW(window, IPM_ISBLANK, 0, 0) != 0) {
    return {};
  }
  DWORD address = 0;  // blank fields read as 0
  SendMessageW(window, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(FIRST_IPADDRESS(address)),
                static_cast<int>(SECOND_IPADDRESS(address)),
                static_cast<int>(THIRD_IPADDRESS(address)),
                static_cast<int>(FOURTH_IPADDRESS(address)));
  return text;
}

}  // namespace platform
