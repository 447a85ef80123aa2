// The control operations on the in-memory window, each recorded in the journal.
#include <algorithm>
#include <string>

#include "platform/address_rule.h"
#include "platform/controls.h"
#include "platform/host/in_memory_window_state.h"
#include "platform/host/journal.h"

namespace platform {
namespace {

using host::Record;
using host::detail::ControlFor;
using host::detail::ControlState;
using host::detail::NameOf;

std::string Str(int number) {
  return std::to_string(number);
}

bool HasRow(const ControlState& list, int row) {
  return row >= 0 && row < static_cast<int>(list.rows.size());
}

bool HasColumn(int column) {
  return column >= 0 && column < host::detail::kListColumns;
}

std::string FieldsToText(const std::array<int, 4>& fields) {
  if (std::all_of(fields.begin(), fields.end(), [](int field) { return field < 0; })) {
    return "";
  }
  std::string text;
  for (int field : fields) {
    text += (text.empty() ? "" : ".") + Str(field < 0 ? 0 : field);
  }
  return text;
}

}  // namespace

int InsertListRow(Control list) {
  ControlState* state = ControlFor(list, ControlKind::ListView, "InsertListRow");
  int row = -1;
  if (state != nullptr && !host::detail::Script().refuseListRows) {
    state->rows.emplace_back();
    row = static_cast<int>(state->rows.size()) - 1;
  }
  Record("InsertListRow -> " + Str(row));
  return row;
}

void SetListCellText(Control list, int row, int column, std::string_view text) {
  ControlState* state = ControlFor(list, ControlKind::ListView, "SetListCellText");
  Record("SetListCellText " + Str(row) + " " + Str(column) + " " + std::string(text));
  if (state != nullptr && HasRow(*state, row) && HasColumn(column)) {
    state->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  }
}

std::string ListCellText(Control list, int row, int column) {
  const ControlState* state = ControlFor(list, ControlKind::ListView, "ListCellText");
  std::string text;
  if (state != nullptr && HasRow(*state, row) && HasColumn(column)) {
    text = state->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  Record("ListCellText " + Str(row) + " " + Str(column) + " -> " + text);
  return text;
}

void DeleteAllListRows(Control list) {
  ControlState* state = ControlFor(list, ControlKind::ListView, "DeleteAllListRows");
  Record("DeleteAllListRows");
  if (state != nullptr) {
    state->rows.clear();
    state->selectedRow = -1;
    state->focusedRow = -1;
  }
}

int SelectedListRow(Control list) {
  const ControlState* state = ControlFor(list, ControlKind::ListView, "SelectedListRow");
  const int row = state != nullptr ? state->selectedRow : -1;
  Record("SelectedListRow -> " + Str(row));
  return row;
}

void SetSelectedListRow(Control list, int row) {
  ControlState* state = ControlFor(list, ControlKind::ListView, "SetSelectedListRow");
  Record("SetSelectedListRow " + Str(row));
  if (state == nullptr) {
    return;
  }
  if (row >= 0) {
    if (HasRow(*state, row)) {
      state->selectedRow = row;  // one row at most is selected
      state->focusedRow = row;
    }
  } else if (state->selectedRow >= 0) {
    if (state->focusedRow == state->selectedRow) {
      state->focusedRow = -1;
    }
    state->selectedRow = -1;
  }
}

int AddComboItem(Control combo, std::string_view text) {
  ControlState* state = ControlFor(combo, ControlKind::ComboBox, "AddComboItem");
  int index = -1;
  if (state != nullptr && !host::detail::Script().refuseComboItems) {
    state->items.emplace_back(text);
    index = static_cast<int>(state->items.size()) - 1;
  }
  Record("AddComboItem " + std::string(text) + " -> " + Str(index));
  return index;
}

void EmptyComboList(Control combo) {
  ControlState* state = ControlFor(combo, ControlKind::ComboBox, "EmptyComboList");
  Record("EmptyComboList");
  if (state != nullptr) {
    state->items.clear();
    state->selection = -1;
  }
}

std::string ComboItemText(Control combo, int index) {
  const ControlState* state = ControlFor(combo, ControlKind::ComboBox, "ComboItemText");
  std::string text;
  if (state != nullptr && index >= 0 && index < static_cast<int>(state->items.size())) {
    text = state->items[static_cast<std::size_t>(index)];
  }
  Record("ComboItemText " + Str(index) + " -> " + text);
  return text;
}

int ComboSelection(Control combo) {
  const ControlState* state = ControlFor(combo, ControlKind::ComboBox, "ComboSelection");
  const int selection = state != nullptr ? state->selection : -1;
  Record("ComboSelection -> " + Str(selection));
  return selection;
}

void SetComboSelection(Control combo, int index) {
  ControlState* state = ControlFor(combo, ControlKind::ComboBox, "SetComboSelection");
  int selection = -1;
  if (state != nullptr) {
    const int count = static_cast<int>(state->items.size());
    selection = std::max(-1, std::min(index, count - 1));
    state->selection = selection;
  }
  Record("SetComboSelection " + Str(index) + " -> " + Str(selection));
}

void SetEditText(Control edit, std::string_view text) {
  ControlState* state = ControlFor(edit, ControlKind::EditBox, "SetEditText");
  Record("SetEditText " + NameOf(edit) + " " + std::string(text));
  if (state != nullptr) {
    state->text = text;
  }
}

std::string EditText(Control edit) {
  const ControlState* state = ControlFor(edit, ControlKind::EditBox, "EditText");
  std::string text = state != nullptr ? state->text : std::string();
  Record("EditText " + NameOf(edit) + " -> " + text);
  return text;
}

void SetAddress(Control box, std::string_view text) {
  ControlState* state = ControlFor(box, ControlKind::AddressBox, "SetAddress");
  const std::optional<AddressFields> address = ParseAddressText(text);
  std::array<int, 4> fields{-1, -1, -1, -1};
  if (address) {
    std::copy(address->begin(), address->end(), fields.begin());
  }
  if (state != nullptr) {
    state->fields = fields;
  }
  Record("SetAddress " + NameOf(box) + " " + std::string(text) + " -> " +
         (address ? FieldsToText(fields) : "blank"));
}

std::string AddressText(Control box) {
  const ControlState* state = ControlFor(box, ControlKind::AddressBox, "AddressText");
  std::string text = state != nullptr ? FieldsToText(state->fields) : std::string();
  Record("AddressText " + NameOf(box) + " -> " + text);
  return text;
}

}  // namespace platform
