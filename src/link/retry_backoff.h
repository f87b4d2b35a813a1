// How long to wait before trying a connection again, and the one rule of when the waits start
// again from the first. Shared by the AGWPE link and the APRS-IS bridge. No socket, no clock.
#pragma once

#include <cstdint>

struct BackoffSchedule {
  int64_t firstMs;    // the wait after the first failure
  int64_t longestMs;  // the waits double up to this one and stay there
};

class RetryBackoff {
 public:
  explicit RetryBackoff(BackoffSchedule schedule);

  // The wait before the next attempt; the one after it is twice as long, up to the longest.
  int64_t NextWait();
  // The far end sent something of its own (a frame, a packet): it works, the waits start again.
  void Heard();
  // A connection ended after being open `openMs`. Only one that lasted as long as the longest
  // wait starts the waits again: a far end that accepts and drops at once must not be tried
  // at the first wait for ever.
  void Ended(int64_t openMs);
  // The waits start again from the first.
  void Restart();

 private:
  BackoffSchedule schedule_;
  int64_t nextMs_;
};
