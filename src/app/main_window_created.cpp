#include "app/program_main.h"

// The initial fill of the window, in order: providers, latencies, adapters, details.
void OnMainWindowCreated() {}
