// The alerts of the watched station, timed and delivered: the rule fed with the link's events
// and the reports, a timer for what comes due, and the user's command run for every alert.
// The window and `ventora-cli monitor` share it; each shows the alerts its own way.
#pragma once

#include <QLocale>
#include <QObject>
#include <QTimer>

#include "alert_command.h"
#include "alert_rule.h"
#include "unit_system.h"

struct AlertOptions {
  AlertTimes times;
  QString command;  // empty: none
  QString station;
  QLocale locale;
  UnitSystem units = UnitSystem::Metric;
  int commandTimeLimitMs = CommandTimeLimitMs;  // tests shorten it; read when the watch is made
};

class AlertWatch : public QObject {
  Q_OBJECT
 public:
  // The engine counts as away from now until Connected().
  explicit AlertWatch(const AlertOptions& options, QObject* parent = nullptr);

  // New options (the preferences or the setup changed). Another station starts afresh.
  void Configure(const AlertOptions& options);
  void Connected();
  void EngineAway();
  void Report(const std::vector<AlarmTest>& tests);

  const AlertOptions& Options() const { return options_; }

 signals:
  // Every alert, with the text its notification shows, as it is raised.
  void raised(const Alert& alert, const QString& text);
  // A run of the command that did not succeed, told once per run.
  void commandProblem(const QString& text);
  // A run of the command that succeeded: an earlier problem is over.
  void commandSucceeded();

 private:
  void Deliver(const std::vector<Alert>& alerts);
  void ArmTimer();
  void OnTimer();

  AlertOptions options_;
  AlertRule rule_;
  QTimer due_;
  AlertCommand command_;
};
