#include "retry_backoff.h"

#include <algorithm>

RetryBackoff::RetryBackoff(BackoffSchedule schedule)
    : schedule_(schedule), nextMs_(schedule.firstMs) {}

int64_t RetryBackoff::NextWait() {
  const int64_t wait = nextMs_;
  nextMs_ = std::min(nextMs_ * 2, schedule_.longestMs);
  return wait;
}

void RetryBackoff::Heard() {
  Restart();
}

void RetryBackoff::Ended(int64_t openMs) {
  if (openMs >= schedule_.longestMs) Restart();
}

void RetryBackoff::Restart() {
  nextMs_ = schedule_.firstMs;
}
