#include "alert_watch.h"

#include <QDateTime>
#include <algorithm>

#include "alert_text.h"

namespace {

qint64 Now() {
  return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

AlertWatch::AlertWatch(const AlertOptions& options, QObject* parent)
    : QObject(parent),
      options_(options),
      rule_(options.times, Now()),
      command_(nullptr, options.commandTimeLimitMs) {
  due_.setSingleShot(true);
  connect(&due_, &QTimer::timeout, this, &AlertWatch::OnTimer);
  connect(&command_, &AlertCommand::finished, this, [this](const CommandOutcome& outcome) {
    if (outcome.kind != CommandOutcome::Kind::Succeeded)
      emit commandProblem(CommandOutcomeText(outcome));
    else
      emit commandSucceeded();
  });
  ArmTimer();
}

void AlertWatch::Configure(const AlertOptions& options) {
  const bool sameStation = options.station == options_.station;
  options_ = options;
  if (sameStation) {
    rule_.SetTimes(options.times);
  } else {
    // Another station: nothing heard of it yet, and the engine as it is now.
    const bool connected = rule_.Connected();
    rule_ = AlertRule(options.times, Now());
    if (connected) rule_.OnConnected(Now());
  }
  ArmTimer();
}

void AlertWatch::Connected() {
  Deliver(rule_.OnConnected(Now()));
  ArmTimer();
}

void AlertWatch::EngineAway() {
  rule_.OnEngineAway(Now());
  ArmTimer();
}

void AlertWatch::Report(const std::vector<AlarmTest>& tests) {
  Deliver(rule_.OnReport(Now(), tests));
  ArmTimer();
}

void AlertWatch::Deliver(const std::vector<Alert>& alerts) {
  for (const Alert& alert : alerts) {
    const QString text = AlertText(alert, options_.station, options_.locale, options_.units);
    emit raised(alert, text);
    command_.Run(options_.command, AlertEnvironment(alert, options_.station, text));
  }
}

void AlertWatch::ArmTimer() {
  const std::optional<qint64> due = rule_.NextDueMs();
  if (!due) {
    due_.stop();
    return;
  }
  due_.start(static_cast<int>(std::clamp<qint64>(*due - Now(), 0, 24 * 3600 * 1000)));
}

void AlertWatch::OnTimer() {
  Deliver(rule_.OnTime(Now()));
  ArmTimer();
}
