// Where a chart's line breaks: between two readings so far apart that the station was silent.
#pragma once

#include <cstdint>
#include <vector>

#include "history_store.h"

// The points cut into the runs a line may join, oldest first. A run ends where the next point
// is more than a few usual steps away, the usual step being the middle one of all the steps
// between neighbours, or one thinning slice (`sliceSeconds`) when that is longer.
std::vector<std::vector<ChartPoint>> JoinedRuns(const std::vector<ChartPoint>& points,
                                                int64_t sliceSeconds);
