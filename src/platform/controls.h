// Operations on the controls of the main window. The logic calls these between events and never
// keeps a control: each call finds the control by its name in the current main window.
// Implemented on the real controls (win32/) and on the in-memory window (host/); one contract
// test suite holds both to the same behaviour. Rows, items and columns count from 0.
#pragma once

#include <string>
#include <string_view>

#include "platform/main_window_layout.h"

namespace platform {

// List view (超级列表框1).
int InsertListRow(Control list);  // appends an empty, unselected row; its index, or -1
void SetListCellText(Control list, int row, int column, std::string_view text);  // no-op off rows
std::string ListCellText(Control list, int row, int column);  // "" when the cell does not exist
void DeleteAllListRows(Control list);
int SelectedListRow(Control list);  // -1 when none
// row >= 0 selects and focuses an existing row; row < 0 clears the selected row's state.
void SetSelectedListRow(Control list, int row);

// Drop-down list (组合框1).
int AddComboItem(Control combo, std::string_view text);  // its index, or -1; selection kept
void EmptyComboList(Control combo);                      // selection becomes -1
std::string ComboItemText(Control combo, int index);     // "" outside the items
int ComboSelection(Control combo);                       // -1 when none
// Clamped to max(-1, min(index, count - 1)); never raises the list-item-selected event.
void SetComboSelection(Control combo, int index);

// Edit box (编辑框_MAC).
void SetEditText(Control edit, std::string_view text);
std::string EditText(Control edit);

// IPv4 address boxes: a text valid by ParseAddressText is shown, anything else blanks the box.
void SetAddress(Control box, std::string_view text);
// "" when all four fields are blank, otherwise "%d.%d.%d.%d" with blank fields read as 0.
std::string AddressText(Control box);

}  // namespace platform
