// Times QueryAdapters against the system: the first call (which also loads and starts what the
// queries need) and the median of the calls after it. Prints one line of figures.
//
//   adapters_bench.exe EXPECTED_ADAPTERS [REPEATS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "adapters/adapter_query.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double TimeOneQuery(int& count) {
  std::vector<AdapterRecord> list;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  count = QueryAdapters(list);
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: adapters_bench EXPECTED_ADAPTERS [REPEATS]\n");
    return 2;
  }
  const int expected = std::atoi(argv[1]);
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

  int count = 0;
  const double first = TimeOneQuery(count);
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    times.push_back(TimeOneQuery(count));
  }
  std::sort(times.begin(), times.end());
  if (count < expected) {
    std::fprintf(stderr, "adapters_bench: %d adapters listed, %d expected\n", count, expected);
    return 1;
  }
  std::printf("adapters=%d first_ms=%.2f median_ms=%.2f min_ms=%.2f max_ms=%.2f repeats=%d\n",
              count, first, times[times.size() / 2], times.front(), times.back(), repeats);
  return 0;
}
