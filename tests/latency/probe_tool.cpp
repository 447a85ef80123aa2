// Measures the latency probe for the benchmark (scripts/bench-latency.sh). Run it only inside a
// sandbox namespace.
//
//   latency_probe_tool probe COUNT TIMEOUT_MS ADDRESS...
//     probes every address COUNT times (round by round, addresses in order) and prints one line
//     "ADDRESS RESULT" per probe.
//   latency_probe_tool refresh COUNT
//     opens the main window with the provider table filled, then COUNT times runs
//     RefreshLatencyList (deleting the rows before) and the bare system calls it cannot avoid:
//     one ICMP echo opened, sent and closed per listed address, with the same timeout. The two
//     take turns at going first. Prints one line per round:
//     "OURS_MICROSECONDS SUM_OF_SHOWN_LATENCIES_MS ANSWERED_CELLS BARE_MICROSECONDS BARE_ANSWERED".
//     The first refresh also starts Windows Sockets and binds icmp.dll; the bare calls are bound
//     before the first round.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "latency/bare_icmp_echoes.h"
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

long long MicrosecondsSince(std::chrono::steady_clock::time_point start) {
  return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count());
}

// The addresses one refresh probes: every provider's non-empty primary and secondary.
std::vector<std::uint32_t> ProbedAddresses() {
  std::vector<std::uint32_t> addresses;
  const AppState& state = TheAppState();
  for (int slot = 0; slot < 5; ++slot) {
    for (const TextTable* table : {&state.primaryAddresses, &state.secondaryAddresses}) {
      const std::string& text = SlotAt(*table, slot, "addresses");
      if (const auto address = bench::BareIcmpEchoes::DottedAddress(text)) {
        addresses.push_back(*address);
      }
    }
  }
  return addresses;
}

struct RefreshFigures {
  long long microseconds = 0;
  long sum = 0;
  int answered = 0;
};

RefreshFigures TimeOneRefresh() {
  constexpr Control list = Control::超级列表框1;
  platform::DeleteAllListRows(list);
  RefreshFigures figures;
  const auto start = std::chrono::steady_clock::now();
  RefreshLatencyList();
  figures.microseconds = MicrosecondsSince(start);
  for (int row = 0; row < 5; ++row) {
    for (int column = 3; column <= 4; ++column) {
      const int shown = std::atoi(platform::ListCellText(list, row, column).c_str());
      if (shown >= 0) {
        figures.sum += shown;
        ++figures.answered;
      }
    }
  }
  return figures;
}

int Refresh(int count) {
  platform::InitGuiRuntime();
  InitAppState();
  platform::MainWindowEvents events;
  events.created = FillProviderTable;
  if (!platform::LoadMainWindow(events)) {
    std::fputs("latency_probe_tool: the main window could not be created\n", stderr);
    return 1;
  }
  const std::optional<bench::BareIcmpEchoes> bare = bench::BareIcmpEchoes::Bind();
  if (!bare) {
    std::fputs("latency_probe_tool: icmp.dll could not be bound\n", stderr);
    return 1;
  }
  const std::vector<std::uint32_t> addresses = ProbedAddresses();
  for (int i = 0; i < count; ++i) {
    RefreshFigures ours;
    long long bareMicroseconds = 0;
    int bareAnswered = 0;
    auto timeBare = [&] {
      const auto start = std::chrono::steady_clock::now();
      bareAnswered =
          bare->SendEchoes(addresses, static_cast<std::uint32_t>(kLatencyProbeTimeoutMs));
      bareMicroseconds = MicrosecondsSince(start);
    };
    if (i % 2 == 0) {
      ours = TimeOneRefresh();
      timeBare();
    } else {
      timeBare();
      ours = TimeOneRefresh();
    }
    std::printf("%lld %ld %d %lld %d\n", ours.microseconds, ours.sum, ours.answered,
                bareMicroseconds, bareAnswered);
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
