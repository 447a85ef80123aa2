#include "app/main_window_events.h"

#include "app/program_main.h"

platform::MainWindowEvents MainWindowEventBindings() {
  platform::MainWindowEvents events;
  events.created = OnMainWindowCreated;
  return events;
}
