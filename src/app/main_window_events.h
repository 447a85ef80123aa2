// Which routine handles which event of the main window.
#pragma once

#include "platform/gui_runtime.h"

platform::MainWindowEvents MainWindowEventBindings();
