#include "reconnect_policy.h"

ReconnectPolicy::ReconnectPolicy(int64_t msPerSecond)
    : backoff_({FirstRetrySeconds * msPerSecond, LongestRetrySeconds * msPerSecond}) {}

LinkDecision ReconnectPolicy::On(LinkEvent event, int64_t openMs) {
  switch (event) {
    case LinkEvent::UserConnect:
      // Perhaps another address: a new beginning.
      usersAttempt_ = true;
      backoff_.Restart();
      return {};
    case LinkEvent::Established:
      usersAttempt_ = false;
      return {};
    case LinkEvent::Heard:
      backoff_.Heard();
      return {};
    case LinkEvent::Lost:
      backoff_.Ended(openMs);
      return Retry(false);
    case LinkEvent::AttemptFailed: {
      // The user's own connection that never opened is theirs to see; the engine is awaited
      // all the same, whatever they do about it.
      const bool report = usersAttempt_;
      usersAttempt_ = false;
      return Retry(report);
    }
  }
  return {};
}

LinkDecision ReconnectPolicy::Retry(bool report) {
  return {LinkReaction::Retry, backoff_.NextWait(), report};
}
