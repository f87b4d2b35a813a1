#include "chart_gaps.h"

#include <algorithm>

namespace {

// Neighbours further apart than this many usual steps have a silence between them: a report or
// two lost on the air is still joined, an engine stopped for a while is not.
constexpr int64_t GapSteps = 3;

int64_t MiddleStep(const std::vector<ChartPoint>& points) {
  std::vector<int64_t> steps;
  steps.reserve(points.size());
  for (size_t i = 1; i < points.size(); ++i) steps.push_back(points[i].time - points[i - 1].time);
  if (steps.empty()) return 0;
  const auto middle = steps.begin() + std::ptrdiff_t(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  return *middle;
}

}  // namespace

std::vector<std::vector<ChartPoint>> JoinedRuns(const std::vector<ChartPoint>& points,
                                                int64_t sliceSeconds) {
  const int64_t longest = GapSteps * std::max(MiddleStep(points), sliceSeconds);
  std::vector<std::vector<ChartPoint>> runs;
  for (size_t i = 0; i < points.size(); ++i) {
    if (i == 0 || points[i].time - points[i - 1].time > longest) runs.emplace_back();
    runs.back().push_back(points[i]);
  }
  return runs;
}
