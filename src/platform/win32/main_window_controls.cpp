// Creating the seventeen controls of the main window from the layout table.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::ListView:
      // Report view with a header whose items can be pressed; no label editing, no sorting,
      // one row at most, highlight hidden without the focus (no LVS_SHOWSELALWAYS).
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    case ControlKind::Label:
      // SS_CENTERIMAGE draws text as one vertically centred line, so it never wraps.
      return {WC_STATICW, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::EditBox:
      // Selection hidden without the focus (no ES_NOHIDESEL).
      return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::AddressBox:
      return {WC_IPADDRESSW, 0, 0};
  }
  return {WC_STATICW, 0, 0};
}

void SetUpLatencyList(HWND list) {
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(146, 194, 133));
  SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
  int index = 0;
  for (const ListColumnLayout& layout : kLatencyListColumns) {
    std::wstring title = WideFromUtf8(layout.title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = layout.width;
    column.pszText = title.data();
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
    ++index;
  }
}

void SetUpAdapterCombo(HWND combo) {
  // Item height after the font is set: one pixel above what the system chose for it.
  const LRESULT height = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  if (height <= 0) {
    return;
  }
  SendMessageW(combo, CB_SETITEMHEIGHT, 0, height + 1);
  // Wine's combo box applies CB_SETITEMHEIGHT only to owner-drawn lists; its list box takes the
  // height directly.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) != height + 1 && GetComboBoxInfo(combo, &info) &&
      info.hwndList != nullptr) {
    SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, height + 1);
  }
  // Version 6 of the common controls sizes the opened list by a count of visible items, not by
  // the control's height: count the items that fit into the 160 pixels below the combo's top.
  RECT closed{};
  GetWindowRect(combo, &closed);
  const int room =
      kComboDropHeight - (closed.bottom - closed.top) - 2 * GetSystemMetrics(SM_CYBORDER);
  SendMessageW(combo, CB_SETMINVISIBLE, std::max<LRESULT>(1, room / (height + 1)), 0);
}

// The fields of an address box are edit controls of their own; give each the font as well. In a
// 104-pixel box a field is as wide as three digits of the layout's font (18 of 18 pixels under
// Wine), and an edit without horizontal scrolling refuses a character its text area cannot show:
// without margins the third digit of "255" still fits.
void SetUpAddressBox(HWND box, HFONT font) {
  for (HWND field = GetWindow(box, GW_CHILD); field != nullptr;
       field = GetWindow(field, GW_HWNDNEXT)) {
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
  }
}

}  // namespace

void CreateMainWindowControls(HWND window, HINSTANCE instance, HFONT font) {
  for (const ControlLayout& layout : kMainWindowControls) {
    const WindowKind kind = KindOf(layout.kind);
    const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (layout.focusStop ? WS_TABSTOP : 0);
    // The combo's height bounds its opened list; the closed box takes the system's height.
    const int height = layout.kind == ControlKind::ComboBox ? kComboDropHeight : layout.height;
    HWND control = CreateWindowExW(
        kind.exStyle, kind.className, WideFromUtf8(layout.text).c_str(), style, layout.left,
        layout.top, layout.width, height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(layout.id))), instance, nullptr);
    if (control == nullptr) {
      continue;  // operations on a missing control act on nothing
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (layout.kind == ControlKind::ListView) {
      SetUpLatencyList(control);
    } else if (layout.kind == ControlKind::ComboBox) {
      SetUpAdapterCombo(control);
    } else if (layout.kind == ControlKind::AddressBox) {
      SetUpAddressBox(control, font);
    }
  }
}

}  // namespace platform::win32
