// The operations of controls.h on the real list view.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/controls.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

// Beyond this a cell text is cut; far above anything the program writes.
constexpr std::size_t kMaxCellChars = std::size_t{1} << 20;

HWND ListOf(Control list, std::string_view operation) {
  return win32::ControlWindow(list, ControlKind::ListView, operation);
}

int RowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool IsCell(HWND list, int row, int column) {
  return list != nullptr && row >= 0 && row < RowCount(list) && column >= 0 &&
         column < ColumnCount(list);
}

int NextRow(HWND list, UINT flags) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

int InsertListRow(Control list) {
  HWND window = ListOf(list, "InsertListRow");
  if (window == nullptr) {
    return -1;
  }
  wchar_t empty[] = L"";
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = RowCount(window);
  item.pszText = empty;
  const LRESULT row = SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return row < 0 ? -1 : static_cast<int>(row);
}

void SetListCellText(Control list, int row, int column, std::string_view text) {
  HWND window = ListOf(list, "SetListCellText");
  if (!IsCell(window, row, column)) {
    return;
  }
  std::wstring wide = win32::WideFromUtf8(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListCellText(Control list, int row, int column) {
  HWND window = ListOf(list, "ListCellText");
  if (!IsCell(window, row, column)) {
    return {};
  }
  // The control copies at most the buffer's size less one: while the text fills the buffer it
  // may have been cut, so read again with twice the room.
  std::wstring buffer(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(buffer.size());
    item.pszText = buffer.data();
    const LRESULT copied = SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(&item));
    const std::size_t length = std::min<std::size_t>(copied < 0 ? 0 : copied, buffer.size() - 1);
    if (length + 1 < buffer.size() || buffer.size() >= kMaxCellChars) {
      // The control may answer with a pointer to its own text instead of copying it.
      return win32::Utf8FromWide(std::wstring_view(item.pszText, length));
    }
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

void DeleteAllListRows(Control list) {
  if (HWND window = ListOf(list, "DeleteAllListRows")) {
    SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
  }
}

int SelectedListRow(Control list) {
  HWND window = ListOf(list, "SelectedListRow");
  return window != nullptr ? NextRow(window, LVNI_SELECTED) : -1;
}

void SetSelectedListRow(Control list, int row) {
  HWND window = ListOf(list, "SetSelectedListRow");
  if (window == nullptr) {
    return;
  }
  const int selected = NextRow(window, LVNI_SELECTED);
  if (row < 0) {
    if (selected >= 0) {
      SetRowState(window, selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    return;
  }
  if (row >= RowCount(window)) {
    return;
  }
  if (selected >= 0 && selected != row) {
    SetRowState(window, selected, 0, LVIS_SELECTED);
  }
  SetRowState(window, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

}  // namespace platform
