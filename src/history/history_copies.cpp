#include "history_copies.h"

#include <algorithm>

bool TransmissionCopies::Near(int64_t a, int64_t b) {
  return (a > b ? a - b : b - a) < CopySeconds;
}

bool TransmissionCopies::IsCopy(const HistoryRow& row) const {
  return std::any_of(recent_.begin(), recent_.end(), [&row](const Heard& h) {
    return Near(h.time, row.time) && h.station == row.station && h.info == row.info;
  });
}

void TransmissionCopies::Stored(const HistoryRow& row) {
  recent_.erase(std::remove_if(recent_.begin(), recent_.end(),
                               [&row](const Heard& h) { return !Near(h.time, row.time); }),
                recent_.end());
  recent_.push_back({row.time, row.station, row.info});
}
