// Copies of one transmission, heard direct and again through digipeaters within seconds, are one
// report: the history keeps the first.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "history_row.h"

// How far apart two reports of a station with the same information field are copies of one
// transmission.
inline constexpr int64_t CopySeconds = 30;

class TransmissionCopies {
 public:
  // Whether `row` repeats a report stored less than CopySeconds before or after it, from the
  // same station with the same information field.
  bool IsCopy(const HistoryRow& row) const;
  // `row` has been stored; reports too far from it to have copies are forgotten.
  void Stored(const HistoryRow& row);

 private:
  struct Heard {
    int64_t time;
    QString station, info;
  };
  static bool Near(int64_t a, int64_t b);

  std::vector<Heard> recent_;
};
