// Times QueryAdapters against the system, beside the bare system calls it cannot avoid
// (bare_adapter_queries.h) made in the same process: the first call of each (which also loads
// and starts what the queries need), then REPEATS rounds in which the two take turns at going
// first. Prints one line of figures: the medians and ours / bare.
//
//   adapters_bench.exe EXPECTED_ADAPTERS [REPEATS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "adapters/adapter_query.h"
#include "adapters/bare_adapter_queries.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

template <typename Call>
double Time(Call call) {
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  call();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const size_t middle = times.size() / 2;
  return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: adapters_bench EXPECTED_ADAPTERS [REPEATS]\n");
    return 2;
  }
  const int expected = std::atoi(argv[1]);
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  const auto bare = bench::BareAdapterQueries::Bind();
  if (!bare) {
    std::fprintf(stderr, "adapters_bench: iphlpapi.dll could not be bound\n");
    return 1;
  }

  int count = 0;
  int bareCount = 0;
  std::vector<AdapterRecord> list;
  auto ours = [&] { count = QueryAdapters(list); };
  auto bareCalls = [&] { bareCount = bare->Run(); };
  const double first = Time(ours);
  const double bareFirst = Time(bareCalls);
  std::vector<double> times;
  std::vector<double> bareTimes;
  for (int i = 0; i < repeats; ++i) {
    if (i % 2 == 0) {
      times.push_back(Time(ours));
      bareTimes.push_back(Time(bareCalls));
    } else {
      bareTimes.push_back(Time(bareCalls));
      times.push_back(Time(ours));
    }
  }
  if (count < expected || bareCount != count) {
    std::fprintf(stderr, "adapters_bench: %d adapters listed (bare calls: %d), %d expected\n",
                 count, bareCount, expected);
    return 1;
  }
  const double median = Median(times);
  const double bareMedian = Median(bareTimes);
  std::printf(
      "adapters=%d first_ms=%.2f bare_first_ms=%.2f median_ms=%.2f bare_median_ms=%.2f "
      "ours/bare=%.3f min_ms=%.2f max_ms=%.2f repeats=%d\n",
      count, first, bareFirst, median, bareMedian, median / bareMedian,
      *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
      repeats);
  return 0;
}
