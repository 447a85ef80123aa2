// Host builds only: the in-memory main window behind platform/controls.h,
// platform/gui_runtime.h and platform/dialogs.h, with what a test needs to act as the user and
// to look inside.
//
// Every control operation, message box and pause is recorded in the journal (journal.h), reads
// included, one entry each:
//   InsertListRow -> 0                     SetListCellText 0 3 23ms
//   ListCellText 0 1 -> 8.8.8.8            DeleteAllListRows
//   SelectedListRow -> -1                  SetSelectedListRow -1
//   AddComboItem 以太网 -> 0               EmptyComboList
//   ComboItemText 0 -> 以太网              ComboSelection -> 0
//   SetComboSelection 5 -> 2               (asked -> resulting selection)
//   SetEditText 编辑框_MAC 02-00-...       EditText 编辑框_MAC -> 02-00-...
//   SetAddress IP编辑框_DNS1 8.8.8.8 -> 8.8.8.8   (or "-> blank" for an invalid text)
//   AddressText IP编辑框_DNS1 -> 8.8.8.8
//   ShowMessage 64 信息： DNS设置成功!     (icon, title, text)
//   Pause 1000                             (a negative pause is recorded as 0)
// and the run time and the user: InitGuiRuntime, LoadMainWindow (or "LoadMainWindow -> failed"),
// MainWindowShown, RunMessageLoop, RunMessageLoop ended, ShowFatalError <text>,
// UserClicks <button>, UserPicksComboItem <index>, UserTypesAddressFields <box> 10.1.-.-,
// UserClosesWindow, PostedEvent adapterSelected (when the posted event is delivered).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui_runtime.h"
#include "platform/main_window_layout.h"

namespace host {

// A fresh main window, shown, with every control in its initial state and events bound as given;
// also forgets scripted user actions and fault injections. Does not raise `created`
// (LoadMainWindow does, and also makes a fresh window but keeps what the test scripted).
void ResetMainWindow(const platform::MainWindowEvents& events = {});
bool MainWindowExists();
bool MainWindowVisible();  // false while `created` runs inside LoadMainWindow

// Makes the next LoadMainWindow fail, as when the system cannot create the window.
void FailNextWindowCreation();

// Acting as the user. Clicks go straight to the bound events; a combo pick selects the item and
// posts its event, which runs at the next DispatchPostedEvents (or in the message loop).
// Asking the user for something impossible (picking a missing item, clicking a label) stops the
// test process as an internal error.
void UserClicks(Control button);
void UserPicksComboItem(int index);
void UserTypesAddressFields(Control box, std::array<int, 4> fields);  // -1 leaves a field blank
void UserClosesWindow();
void DispatchPostedEvents();
// Actions the message loop performs one by one, dispatching posted events after each. When they
// run out while the window is open, the loop closes the window, so a host test never blocks.
void ScriptUserActions(std::vector<std::function<void()>> actions);

// Looking inside.
int ListRowCount(Control list);
int FocusedListRow(Control list);  // -1 when no row has the focus state
int ComboItemCount(Control combo);

struct ShownMessage {
  std::string text;
  unsigned icon;  // 64 information, 16 stop
  std::string title;
};
const std::vector<ShownMessage>& ShownMessages();  // every ShowMessage, oldest first
void ClearShownMessages();

// Fault injection: refuse to add list rows (insert gives -1) / combo items (add gives -1).
// Kept across LoadMainWindow; ResetMainWindow clears them.
void RefuseListRows(bool refuse);
void RefuseComboItems(bool refuse);

}  // namespace host
