// When to try the AGWPE engine again after the connection is lost: a schedule of waits and the
// rule of which failures are retried and which are the user's to see. No socket, no clock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// What happened on the link, as far as retrying is concerned.
enum class LinkEvent {
  UserConnect,    // the user asked for a connection: start-up or a confirmed setup dialog
  Established,    // the engine accepted: the connect event came
  Lost,           // an established connection was closed by the engine or failed while open
  AttemptFailed,  // a connection attempt failed before it was ever established
};

enum class LinkReaction {
  Nothing,  // carry on
  Report,   // tell the user (message box, then the setup dialog); no retry
  Retry,    // connect again by ourselves after `waitMs`
};

struct LinkDecision {
  LinkReaction reaction = LinkReaction::Nothing;
  int64_t waitMs = 0;  // with Retry: how long to wait before the next attempt

  bool operator==(const LinkDecision& o) const {
    return reaction == o.reaction && waitMs == o.waitMs;
  }
};

// The waits after a loss, in seconds: first retry 5 s after it, doubling up to 160 s, then a
// steady 300 s for as long as the engine stays away.
inline constexpr std::array<int, 6> RetryRampSeconds = {5, 10, 20, 40, 80, 160};
inline constexpr int SteadyRetrySeconds = 300;
inline constexpr int64_t MsPerSecond = 1000;

class ReconnectPolicy {
 public:
  // `msPerSecond` is the length of one second of the schedule: tests shorten it.
  explicit ReconnectPolicy(int64_t msPerSecond = MsPerSecond);

  LinkDecision On(LinkEvent event);

 private:
  LinkDecision NextWait();

  int64_t msPerSecond_;
  bool retrying_ = false;  // false: the attempt under way is the user's
  std::size_t step_ = 0;   // retries since the last established connection
};
