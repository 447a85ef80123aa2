// Prints what platform::ProbeLatency measures, for the benchmark:
//
//   latency_probe_tool probe COUNT TIMEOUT_MS ADDRESS...
//
// probes every address COUNT times (round by round, addresses in order) and prints one line
// "ADDRESS RESULT" per probe. Run it only inside a sandbox namespace.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/probe.h"

namespace {

int Usage() {
  std::fputs("usage: latency_probe_tool probe COUNT TIMEOUT_MS ADDRESS...\n", stderr);
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

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::string_view(argv[1]) == "probe") {
    return Probe(std::atoi(argv[2]), std::atoi(argv[3]), argc - 4, argv + 4);
  }
  return Usage();
}
