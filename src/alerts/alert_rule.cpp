#include "alert_rule.h"

#include <algorithm>
#include <utility>

AlertRule::AlertRule(const AlertTimes& times, qint64 startMs)
    : times_(times), awaySinceMs_(startMs) {}

std::vector<Alert> AlertRule::OnConnected(qint64 nowMs) {
  std::vector<Alert> alerts;
  if (connected_) return alerts;
  connected_ = true;
  silenceFromMs_ = nowMs;
  if (std::exchange(engineLostTold_, false))
    alerts.push_back({AlertKind::EngineBack, nowMs, 0, {}});
  return alerts;
}

void AlertRule::OnEngineAway(qint64 nowMs) {
  if (!connected_) return;
  connected_ = false;
  awaySinceMs_ = nowMs;
}

std::vector<Alert> AlertRule::OnReport(qint64 nowMs, const std::vector<AlarmTest>& tests) {
  std::vector<Alert> alerts;
  silenceFromMs_ = nowMs;
  if (silentSinceMs_) {
    alerts.push_back({AlertKind::Heard, nowMs, MinutesSince(*silentSinceMs_, nowMs), {}});
    silentSinceMs_.reset();
  }
  for (const AlarmTest& test : tests) {
    AlarmState& state = alarms_[static_cast<size_t>(test.quantity)];
    const AlarmState was =
        std::exchange(state, test.beyond ? AlarmState::Beyond : AlarmState::Within);
    if (test.beyond && was != AlarmState::Beyond)
      alerts.push_back({AlertKind::Alarm, nowMs, 0, test});
    else if (!test.beyond && was == AlarmState::Beyond)
      alerts.push_back({AlertKind::AlarmCleared, nowMs, 0, test});
  }
  return alerts;
}

std::vector<Alert> AlertRule::OnTime(qint64 nowMs) {
  std::vector<Alert> alerts;
  if (const auto due = SilentDueMs(); due && nowMs >= *due) {
    silentSinceMs_ = silenceFromMs_;
    alerts.push_back({AlertKind::Silent, nowMs, MinutesSince(silenceFromMs_, nowMs), {}});
  }
  if (const auto due = EngineDueMs(); due && nowMs >= *due) {
    engineLostTold_ = true;
    alerts.push_back({AlertKind::EngineLost, nowMs, MinutesSince(awaySinceMs_, nowMs), {}});
  }
  return alerts;
}

std::optional<qint64> AlertRule::NextDueMs() const {
  const auto silent = SilentDueMs();
  const auto engine = EngineDueMs();
  if (silent && engine) return std::min(*silent, *engine);
  return silent ? silent : engine;
}

void AlertRule::SetTimes(const AlertTimes& times) {
  times_ = times;
}

std::optional<qint64> AlertRule::SilentDueMs() const {
  if (!connected_ || silentSinceMs_ || times_.silentAfterMin <= 0) return std::nullopt;
  return silenceFromMs_ + times_.silentAfterMin * times_.minuteMs;
}

std::optional<qint64> AlertRule::EngineDueMs() const {
  if (connected_ || engineLostTold_ || times_.engineAfterMin <= 0) return std::nullopt;
  return awaySinceMs_ + times_.engineAfterMin * times_.minuteMs;
}

int AlertRule::MinutesSince(qint64 sinceMs, qint64 nowMs) const {
  return static_cast<int>(std::max<qint64>(0, nowMs - sinceMs) / times_.minuteMs);
}

bool CarriesMinutes(AlertKind kind) {
  return kind == AlertKind::Silent || kind == AlertKind::Heard || kind == AlertKind::EngineLost;
}

bool CarriesAlarm(AlertKind kind) {
  return kind == AlertKind::Alarm || kind == AlertKind::AlarmCleared;
}
