// A statistic for benchmarks on a shared machine: with --benchmark_repetitions=N, the least
// disturbed run.
#pragma once

#include <algorithm>
#include <vector>

inline double FastestRun(const std::vector<double>& runs) {
  return *std::min_element(runs.begin(), runs.end());
}
