#include "app/main_window_events.h"

#include "adapters/adapter_selector.h"
#include "app/program_main.h"
#include "dnsconfig/set_dns_action.h"
#include "latency/latency_list.h"

platform::MainWindowEvents MainWindowEventBindings() {
  platform::MainWindowEvents events;
  events.created = OnMainWindowCreated;
  events.refreshLatencyClicked = OnRefreshLatencyClicked;
  events.adapterSelected = OnAdapterSelected;
  events.setDnsClicked = OnSetDnsClicked;
  return events;
}
