#include "platform/host/in_memory_window.h"

#include <string>

#include "platform/host/in_memory_window_state.h"
#include "platform/host/journal.h"
#include "platform/internal_error.h"

namespace host {
namespace detail {

InMemoryWindow& Window() {
  static InMemoryWindow window;
  return window;
}

TestScript& Script() {
  static TestScript script;
  return script;
}

void CreateWindowState(const platform::MainWindowEvents& events) {
  InMemoryWindow& window = Window();
  window = InMemoryWindow{};
  window.exists = true;
  window.events = events;
  for (const ControlLayout& layout : kMainWindowControls) {
    window.controls[static_cast<std::size_t>(layout.id)].text = std::string(layout.text);
  }
}

ControlState* ControlFor(Control control, ControlKind kind, std::string_view operation) {
  if (LayoutOf(control).kind != kind) {
    platform::StopOnInternalError(std::string(operation) + " on " + NameOf(control) +
                                  ", a control of another kind");
  }
  InMemoryWindow& window = Window();
  return window.exists ? &window.controls[static_cast<std::size_t>(control)] : nullptr;
}

std::string NameOf(Control control) {
  return std::string(LayoutOf(control).name);
}

}  // namespace detail

using detail::Window;

namespace {

[[noreturn]] void MisusedByTest(const std::string& what) {
  platform::StopOnInternalError("in-memory window: " + what);
}

std::string FieldsText(const std::array<int, 4>& fields) {
  std::string text;
  for (int field : fields) {
    text += (text.empty() ? "" : ".") + (field < 0 ? std::string("-") : std::to_string(field));
  }
  return text;
}

}  // namespace

void ResetMainWindow(const platform::MainWindowEvents& events) {
  detail::Script() = detail::TestScript{};
  detail::CreateWindowState(events);
  Window().visible = true;
}

bool MainWindowExists() {
  return Window().exists;
}
bool MainWindowVisible() {
  return Window().exists && Window().visible;
}

void FailNextWindowCreation() {
  detail::Script().failNextCreation = true;
}

void UserClicks(Control button) {
  Record("UserClicks " + detail::NameOf(button));
  if (LayoutOf(button).kind != ControlKind::PushButton) {
    MisusedByTest("UserClicks on " + detail::NameOf(button) + ", which is not a button");
  }
  if (!Window().exists) {
    return;
  }
  const platform::MainWindowEvents& events = Window().events;
  void (*handler)() = button == Control::按钮_刷新延时      ? events.refreshLatencyClicked
                      : button == Control::按钮_设置选中DNS ? events.setDnsClicked
                                                            : nullptr;
  if (handler != nullptr) {
    handler();
  }
}

void UserPicksComboItem(int index) {
  Record("UserPicksComboItem " + std::to_string(index));
  if (!Window().exists) {
    return;
  }
  detail::ControlState& combo = Window().controls[static_cast<std::size_t>(Control::组合框1)];
  if (index < 0 || index >= static_cast<int>(combo.items.size())) {
    MisusedByTest("the user cannot pick item " + std::to_string(index) + " of " +
                  std::to_string(combo.items.size()));
  }
  combo.selection = index;
  if (Window().events.adapterSelected != nullptr) {
    Window().postedEvents.push_back(Window().events.adapterSelected);
  }
}

void UserTypesAddressFields(Control box, std::array<int, 4> fields) {
  Record("UserTypesAddressFields " + detail::NameOf(box) + " " + FieldsText(fields));
  if (LayoutOf(box).kind != ControlKind::AddressBox) {
    MisusedByTest("UserTypesAddressFields on " + detail::NameOf(box));
  }
  if (!Window().exists) {
    return;
  }
  // The real control holds a field above 255 at 255.
  for (int& field : fields) {
    field = field < 0 ? -1 : (field > 255 ? 255 : field);
  }
  Window().controls[static_cast<std::size_t>(box)].fields = fields;
}

void UserClosesWindow() {
  Record("UserClosesWindow");
  detail::InMemoryWindow& window = Window();
  window.exists = false;
  window.visible = false;
  window.postedEvents.clear();  // messages to a destroyed window are never delivered
}

void DispatchPostedEvents() {
  detail::InMemoryWindow& window = Window();
  while (window.exists && !window.postedEvents.empty()) {
    void (*handler)() = window.postedEvents.front();
    window.postedEvents.pop_front();
    Record("PostedEvent adapterSelected");
    handler();
  }
}

void ScriptUserActions(std::vector<std::function<void()>> actions) {
  for (auto& action : actions) {
    detail::Script().userActions.push_back(std::move(action));
  }
}

int ListRowCount(Control list) {
  const detail::ControlState* state =
      detail::ControlFor(list, ControlKind::ListView, "ListRowCount");
  return state ? static_cast<int>(state->rows.size()) : 0;
}

int FocusedListRow(Control list) {
  const detail::ControlState* state =
      detail::ControlFor(list, ControlKind::ListView, "FocusedListRow");
  return state ? state->focusedRow : -1;
}

int ComboItemCount(Control combo) {
  const detail::ControlState* state =
      detail::ControlFor(combo, ControlKind::ComboBox, "ComboItemCount");
  return state ? static_cast<int>(state->items.size()) : 0;
}

void RefuseListRows(bool refuse) {
  detail::Script().refuseListRows = refuse;
}
void RefuseComboItems(bool refuse) {
  detail::Script().refuseComboItems = refuse;
}

}  // namespace host
