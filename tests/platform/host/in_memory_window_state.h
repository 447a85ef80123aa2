// Host builds only: the state behind the in-memory main window, shared by the files that
// implement its control operations, its run time and its test API.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui_runtime.h"
#include "platform/main_window_layout.h"

namespace host::detail {

inline constexpr int kListColumns = static_cast<int>(kLatencyListColumns.size());
using ListRow = std::array<std::string, kLatencyListColumns.size()>;

// One control; only the members of its kind are used.
struct ControlState {
  std::string text;  // label and button captions, the edit box's content
  std::vector<ListRow> rows;
  int selectedRow = -1;
  int focusedRow = -1;
  std::vector<std::string> items;
  int selection = -1;
  std::array<int, 4> fields{-1, -1, -1, -1};  // address box; -1 is a blank field
};

struct InMemoryWindow {
  bool exists = false;
  bool visible = false;
  platform::MainWindowEvents events;
  std::array<ControlState, kMainWindowControls.size()> controls;
  std::deque<void (*)()> postedEvents;
};

// What a test arranged before the window exists; it outlives the windows made by LoadMainWindow.
struct TestScript {
  std::deque<std::function<void()>> userActions;
  bool refuseListRows = false;
  bool refuseComboItems = false;
  bool failNextCreation = false;
};

InMemoryWindow& Window();
TestScript& Script();

// A fresh window in its initial state, not shown.
void CreateWindowState(const platform::MainWindowEvents& events);

// The state of `control` for an operation that works on controls of `kind`. Null when there is
// no main window (the operation then acts on nothing); a control of another kind is an internal
// error of the caller.
ControlState* ControlFor(Control control, ControlKind kind, std::string_view operation);

std::string NameOf(Control control);

}  // namespace host::detail
