// The main window's side of the alerts: the watch fed with the link and the reports, desktop
// notifications through the tray icon, and the command's problems on its tooltip.
#include <utility>

#include "alert_text.h"
#include "main_window.h"
#include "mqtt_state_text.h"

namespace {

// How long the tray icon, shown only for a notification, stays.
constexpr int NoticeTrayMs = 15000;

}  // namespace

void frmWx::SetUpAlerts() {
  alerts_ = new AlertWatch(AlertOptionsNow(), this);
  connect(alerts_, &AlertWatch::raised, this, &frmWx::ShowAlert);
  connect(alerts_, &AlertWatch::commandProblem, this, &frmWx::ShowCommandProblem);
  connect(alerts_, &AlertWatch::commandSucceeded, this, [this] { ShowCommandProblem(QString()); });
  noticeTray_ = new QTimer(this);
  noticeTray_->setSingleShot(true);
  noticeTray_->setInterval(NoticeTrayMs);
  const auto hideNoticeTray = [this] {
    if (!noticeTray_->isActive()) return;
    noticeTray_->stop();
    tray_->hide();
  };
  connect(noticeTray_, &QTimer::timeout, tray_, &QSystemTrayIcon::hide);
  trayPlacing_ = new QTimer(this);
  trayPlacing_->setSingleShot(true);
  trayPlacing_->setInterval(seams_.trayPlacingMs);
  connect(trayPlacing_, &QTimer::timeout, this, [this] {
    for (const QString& text : std::exchange(waitingNotices_, {}))
      seams_.notifyDesktop(tray_, QStringLiteral("Ventora"), text);
  });
  connect(tray_, &QSystemTrayIcon::messageClicked, this, hideNoticeTray);
}

AlertOptions frmWx::AlertOptionsNow() const {
  AlertOptions options;
  options.times.silentAfterMin = preferences_.alerts.silentAfterMin;
  options.times.engineAfterMin = preferences_.alerts.engineAfterMin;
  options.times.minuteMs = seams_.alertMinuteMs;
  options.command = preferences_.alerts.command;
  options.station = settings_.StationCall;
  options.units = settings_.Units;
  options.commandTimeLimitMs = seams_.alertCommandTimeLimitMs;
  return options;
}

void frmWx::ConfigureAlerts() {
  alerts_->Configure(AlertOptionsNow());
  mqtt_->Configure(PublisherOptionsNow());
  tray_->setToolTip(TrayTooltipText());  // the line of MQTT comes or goes with it
}

void frmWx::ShowAlert(const Alert& alert, const QString& text) {
  if (!preferences_.alerts.notify || !NotifiesDesktop(alert.kind)) return;
  if (tray_->isVisible() && !trayPlacing_->isActive())
    return seams_.notifyDesktop(tray_, QStringLiteral("Ventora"), text);
  waitingNotices_ << text;
  if (tray_->isVisible()) return;
  // The icon is in the tray only while the window is: it comes for the message and goes again.
  tray_->show();
  noticeTray_->start();
  trayPlacing_->start();
}

void frmWx::ShowCommandProblem(const QString& problem) {
  if (problem == commandProblem_) return;
  commandProblem_ = problem;
  tray_->setToolTip(TrayTooltipText());
  if (preferencesDialog_) preferencesDialog_->ShowCommandProblem(problem);
}

AlertPageContext frmWx::AlertPage() const {
  return {settings_.StationCall, commandProblem_, seams_.alertCommandTimeLimitMs};
}

QString frmWx::TrayTooltipText() const {
  QString text = shown_.tooltip;
  if (!commandProblem_.isEmpty()) text += QLatin1Char('\n') + commandProblem_;
  if (preferences_.mqtt.enabled) text += QLatin1Char('\n') + MqttStateText(mqtt_->State());
  return text;
}
