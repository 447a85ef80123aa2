// Windows test builds only: runs the messages waiting for this thread through the main window's
// loop handling (Esc, dialog keys, dispatch), as RunMessageLoop would, without blocking.
#pragma once

#include <windows.h>

namespace driver {

void PumpMessages();

// Posts a key press (down and up) to the window that has the focus, then pumps.
void PressKey(UINT virtualKey);

}  // namespace driver
