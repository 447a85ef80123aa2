// What the window tests need beyond controls.h, once for the in-memory window and once for the
// real window in this process: opening and closing the main window, acting as the user, and
// looking at state the program itself never reads.
#pragma once

#include <array>

#include "platform/main_window_layout.h"

namespace driver {

// Initialises the run time and loads the main window with no events bound.
void OpenMainWindow();
void CloseMainWindow();

// The user types the fields into the box; -1 leaves a field blank.
void UserTypesAddressFields(Control box, std::array<int, 4> fields);

int FocusedListRow();

}  // namespace driver
