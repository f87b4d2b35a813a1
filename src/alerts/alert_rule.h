// When the owner must be told: the station gone silent or heard again, the engine gone or back,
// an alarm raised or cleared. Times, connection changes and reports come in; alerts come out.
#pragma once

#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

#include "alarms.h"

enum class AlertKind { Silent, Heard, EngineLost, EngineBack, Alarm, AlarmCleared };

struct Alert {
  AlertKind kind = AlertKind::Silent;
  qint64 timeMs = 0;  // when it was raised, milliseconds since the epoch
  int minutes = 0;    // silent, heard, engine-lost: how long the silence or the outage lasted
  AlarmTest alarm;    // alarm, alarm-cleared: the quantity, its reading and its limit
};

// Which kinds carry minutes (silent, heard, engine-lost) and which an alarm's quantity, reading
// and limit (alarm, alarm-cleared): what the environment and the JSON of an alert hold.
bool CarriesMinutes(AlertKind kind);
bool CarriesAlarm(AlertKind kind);

struct AlertTimes {
  int silentAfterMin = 30;  // 0: a silent station is never told
  int engineAfterMin = 5;   // 0: a lost engine is never told
  qint64 minuteMs = 60000;  // one minute; tests shorten it
};

class AlertRule {
 public:
  // The engine counts as away from `startMs` until the first connection.
  AlertRule(const AlertTimes& times, qint64 startMs);

  // The engine answers: engine-back when engine-lost was told; the silence is timed from now
  // when the station was last heard before now.
  std::vector<Alert> OnConnected(qint64 nowMs);
  // The engine went away and the reconnect schedule runs; a repeat during one outage changes
  // nothing. Silence is not timed while the engine is away.
  void OnEngineAway(qint64 nowMs);
  // A report of the station decoded, with its alarm tests: heard after a silent; an alarm per
  // reading that newly lies beyond its limit, alarm-cleared per reading back within it. A
  // reading not tested keeps its state; one never tested before raises only when beyond.
  std::vector<Alert> OnReport(qint64 nowMs, const std::vector<AlarmTest>& tests);
  // What came due by `nowMs`: silent, engine-lost.
  std::vector<Alert> OnTime(qint64 nowMs);
  // When OnTime next has something to raise; nothing while no silence or outage is timed.
  std::optional<qint64> NextDueMs() const;
  bool Connected() const { return connected_; }
  // New times from the preferences: what is being timed is timed again with them.
  void SetTimes(const AlertTimes& times);

 private:
  enum class AlarmState { Unknown, Within, Beyond };

  std::optional<qint64> SilentDueMs() const;
  std::optional<qint64> EngineDueMs() const;
  int MinutesSince(qint64 sinceMs, qint64 nowMs) const;

  AlertTimes times_;
  bool connected_ = false;
  qint64 awaySinceMs_;  // while not connected: since when
  bool engineLostTold_ = false;
  qint64 silenceFromMs_ = 0;             // while connected: the last report or the connection
  std::optional<qint64> silentSinceMs_;  // silent told: the silence began then
  std::array<AlarmState, AlarmQuantityCount> alarms_{};
};
