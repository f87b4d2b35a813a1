#include "reconnect_policy.h"

ReconnectPolicy::ReconnectPolicy(int64_t msPerSecond) : msPerSecond_(msPerSecond) {}

LinkDecision ReconnectPolicy::On(LinkEvent event) {
  switch (event) {
    case LinkEvent::UserConnect:
      retrying_ = false;
      step_ = 0;
      return {};
    case LinkEvent::Established:
      step_ = 0;
      return {};
    case LinkEvent::Lost:
      retrying_ = true;
      return NextWait();
    case LinkEvent::AttemptFailed:
      // A connection the user asked for that never opened is the user's to correct.
      if (!retrying_) return {LinkReaction::Report, 0};
      return NextWait();
  }
  return {};
}

LinkDecision ReconnectPolicy::NextWait() {
  const int seconds =
      step_ < RetryRampSeconds.size() ? RetryRampSeconds[step_] : SteadyRetrySeconds;
  ++step_;
  return {LinkReaction::Retry, seconds * msPerSecond_};
}
