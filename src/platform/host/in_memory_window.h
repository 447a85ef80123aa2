// Host builds only: the in-memory main window behind platform/controls.h and
// platform/gui_runtime.h, with what a test needs to act as the user and to look inside.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui_runtime.h"
#include "platform/main_window_layout.h"

namespace host {

// A fresh main window with every control in its initial state, events bound as given.
// Does not raise `created` (LoadMainWindow does).
void ResetMainWindow(const platform::MainWindowEvents& events = {});
bool MainWindowExists();

// Makes the next LoadMainWindow fail, as when the system cannot create the window.
void FailNextWindowCreation();

// Acting as the user. Clicks and combo picks go through the bound events; a combo pick posts
// its event, which runs at the next DispatchPostedEvents (or in the message loop).
void UserClicks(Control button);
void UserPicksComboItem(int index);
void UserTypesAddressFields(Control box, std::array<int, 4> fields);  // -1 leaves a field blank
void UserClosesWindow();
void DispatchPostedEvents();
// Actions the message loop performs one by one, dispatching posted events after each.
void ScriptUserActions(std::vector<std::function<void()>> actions);

// Looking inside.
int ListRowCount(Control list);
int ComboItemCount(Control combo);

// Fault injection: refuse to add list rows (insert gives -1) / combo items (add gives -1).
void RefuseListRows(bool refuse);
void RefuseComboItems(bool refuse);

}  // namespace host
