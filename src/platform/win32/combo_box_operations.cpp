// The operations of controls.h on the real drop-down list.
#include <windows.h>

#include <algorithm>

#include "platform/controls.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

HWND ComboOf(Control combo, std::string_view operation) {
  return win32::ControlWindow(combo, ControlKind::ComboBox, operation);
}

int ItemCount(HWND combo) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

}  // namespace

int AddComboItem(Control combo, std::string_view text) {
  HWND window = ComboOf(combo, "AddComboItem");
  if (window == nullptr) {
    return -1;
  }
  const std::wstring wide = win32::WideFromUtf8(text);
  // The list is unsorted, so the item goes to the end; CB_ERR and CB_ERRSPACE are negative.
  const LRESULT index =
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (index < 0) {
    return -1;
  }
  SendMessageW(window, CB_SETITEMDATA, static_cast<WPARAM>(index), 0);
  return static_cast<int>(index);
}

void EmptyComboList(Control combo) {
  if (HWND window = ComboOf(combo, "EmptyComboList")) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
  }
}

std::string ComboItemText(Control combo, int index) {
  HWND window = ComboOf(combo, "ComboItemText");
  if (window == nullptr || index < 0 || index >= ItemCount(window)) {
    return {};
  }
  const LRESULT length = SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) {
    return {};
  }
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(buffer.data()));
  if (copied <= 0) {
    return {};
  }
  buffer.resize(std::min<std::size_t>(static_cast<std::size_t>(copied), buffer.size() - 1));
  return win32::Utf8FromWide(buffer);
}

int ComboSelection(Control combo) {
  HWND window = ComboOf(combo, "ComboSelection");
  if (window == nullptr) {
    return -1;
  }
  const LRESULT selection = SendMessageW(window, CB_GETCURSEL, 0, 0);
  return selection < 0 ? -1 : static_cast<int>(selection);
}

void SetComboSelection(Control combo, int index) {
  HWND window = ComboOf(combo, "SetComboSelection");
  if (window == nullptr) {
    return;
  }
  // CB_SETCURSEL sends no notification, so the list-item-selected event stays quiet.
  const int selection = std::max(-1, std::min(index, ItemCount(window) - 1));
  SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

}  // namespace platform
