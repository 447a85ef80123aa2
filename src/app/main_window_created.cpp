#include "adapters/adapter_selector.h"
#include "app/program_main.h"
#include "latency/latency_list.h"
#include "latency/provider_table.h"

// The initial fill of the window, in order: providers, latencies, adapters, details.
void OnMainWindowCreated() {
  FillProviderTable();
  RefreshLatencyList();
  RefreshAdapterList();
  ShowAdapterDetails();
}
