// Measures the latency probe for the benchmark (scripts/bench-latency.sh). Run it only inside a
// sandbox namespace.
//
//   latency_probe_tool probe COUNT TIMEOUT_MS ADDRESS...
//     probes every address COUNT times (round by round, addresses in order) and prints one line
//     "ADDRESS RESULT" per probe.
//   latency_probe_tool refresh COUNT
//     opens the main window with the provider table filled, then runs RefreshLatencyList COUNT
//     times (deleting the rows in between) and prints one line per refresh:
//     "WALL_MICROSECONDS SUM_OF_SHOWN_LATENCIES_MS ANSWERED_CELLS".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "latency/latency_list.h"
#include "latency/provider_table.h"
#include "platform/controls.h"
#include "platform/gui_runtime.h"
#include "platform/probe.h"

namespace {

int Usage() {
  std::fputs(
      "usage: latency_probe_tool probe COUNT TIMEOUT_MS ADDRESS...\n"
      "       latency_probe_tool refresh COUNT\n",
      stderr);
  return 2;
}

int Probe(int count, int timeoutMs, int addressCount, char** addresses) {
  for (int round = 0; round < count; ++round) {
    for (int i = 0; i < addressCount; ++i) {
      std::printf("%s %d\n", addresses[i], platform::ProbeLatency(addresses[i], timeoutMs));
      std::fflush(stdout);
    }
  }
  return 0;
}

int Refresh(int count) {
  constexpr Control list = Control::超级列表框1;
  platform::InitGuiRuntime();
  InitAppState();
  platform::MainWindowEvents events;
  events.created = FillProviderTable;
  if (!platform::LoadMainWindow(events)) {
    std::fputs("latency_probe_tool: the main window could not be created\n", stderr);
    return 1;
  }
  for (int i = 0; i < count; ++i) {
    platform::DeleteAllListRows(list);
    const auto start = std::chrono::steady_clock::now();
    RefreshLatencyList();
    const auto wall = std::chrono::steady_clock::now() - start;
    long sum = 0;
    int answered = 0;
    for (int row = 0; row < 5; ++row) {
      for (int column = 3; column <= 4; ++column) {
        const int shown = std::atoi(platform::ListCellText(list, row, column).c_str());
        if (shown >= 0) {
          sum += shown;
          ++answered;
        }
      }
    }
    std::printf(
        "%lld %ld %d\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(wall).count()),
        sum, answered);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::string_view(argv[1]) == "probe") {
    return Probe(std::atoi(argv[2]), std::atoi(argv[3]), argc - 4, argv + 4);
  }
  if (argc == 3 && std::string_view(argv[1]) == "refresh") {
    return Refresh(std::atoi(argv[2]));
  }
  return Usage();
}
