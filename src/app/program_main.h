// The program's entry: builds the state, loads the main window and runs it until it is closed.
#pragma once

// Returns 0 after the message loop has ended. When the main window cannot be created it reports
// the failure and ends the process at once with exit code -1, without releasing the state.
int ProgramMain();

// The created event of the main window: the whole initial fill, before the window is shown.
void OnMainWindowCreated();
