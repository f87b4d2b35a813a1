// When to try the AGWPE engine again: the schedule of waits and the rule of which failures are
// also the user's to see. No socket, no clock.
#pragma once

#include <cstdint>

#include "retry_backoff.h"

// What happened on the link, as far as retrying is concerned.
enum class LinkEvent {
  UserConnect,    // the user asked for a connection: start-up or a confirmed setup dialog
  Established,    // the engine accepted: the connect event came
  Heard,          // a whole frame came from the engine
  Lost,           // an established connection was closed by the engine or failed while open
  AttemptFailed,  // a connection attempt failed before it was ever established
};

enum class LinkReaction {
  Nothing,  // carry on
  Retry,    // connect again by ourselves after `waitMs`
};

struct LinkDecision {
  LinkReaction reaction = LinkReaction::Nothing;
  int64_t waitMs = 0;  // with Retry: how long to wait before the next attempt
  // Tell the user too (message box, then the setup dialog): a connection they asked for never
  // opened. The retries go on behind the box whatever they do there.
  bool report = false;

  bool operator==(const LinkDecision& o) const {
    return reaction == o.reaction && waitMs == o.waitMs && report == o.report;
  }
};

// The waits, in seconds of the schedule: 5 s first, doubling up to a steady 300 s for as long
// as the engine stays away.
inline constexpr int64_t FirstRetrySeconds = 5;
inline constexpr int64_t LongestRetrySeconds = 300;
inline constexpr int64_t MsPerSecond = 1000;

class ReconnectPolicy {
 public:
  // `msPerSecond` is the length of one second of the schedule: tests shorten it.
  explicit ReconnectPolicy(int64_t msPerSecond = MsPerSecond);

  // `openMs`: with Lost, how long the connection was open.
  LinkDecision On(LinkEvent event, int64_t openMs = 0);

 private:
  LinkDecision Retry(bool report);

  RetryBackoff backoff_;
  bool usersAttempt_ = false;  // the attempt under way is one the user asked for
};
