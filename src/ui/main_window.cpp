#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

#include "alarm_settings_file.h"
#include "app_icon.h"
#include "command_line.h"
#include "label_text.h"
#include "twips.h"

namespace {

// QTcpSocket tries every address of this name, so an engine on IPv4 or IPv6 loopback is found.
const QString LoopbackHost = QStringLiteral("localhost");

void ApplyLabel(QLabel* label, const LabelUpdate& update) {
  if (update.caption) label->setText(*update.caption);
  if (update.colour) {
    QPalette pal = label->palette();
    pal.setColor(
        QPalette::WindowText,
        QColor::fromRgb(*update.colour == LabelColour::Alarm ? AlarmLabelRgb : NormalLabelRgb));
    label->setPalette(pal);
  }
}

}  // namespace

frmWx::frmWx(Settings& settings, WindowSeams seams)
    : settings_(settings), seams_(std::move(seams)) {
  setObjectName(QStringLiteral("frmWx"));
  setWindowTitle(QStringLiteral("Wx Station"));
  setWindowIcon(VentoraIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(255, 255, 192));
  setPalette(pal);
  setAutoFillBackground(true);
  setFixedSize(Px(DesignClientWidth), Px(DesignClientHeight));
  c_ = BuildMainWindowControls(this);
  tmrElapsed_ = new QTimer(this);
  tmrElapsed_->setObjectName(QStringLiteral("tmrElapsed"));
  tmrElapsed_->setInterval(ElapsedTickMs);
  connect(tmrElapsed_, &QTimer::timeout, this, &frmWx::tmrElapsed_Timer);
  tmrElapsed_->start();
  winsock1_ = new AgwLink(this);
  connect(winsock1_, &AgwLink::connected, this, &frmWx::Winsock1_Connect);
  connect(winsock1_, &AgwLink::errorOccurred, this, &frmWx::Winsock1_Error);
  connect(winsock1_, &AgwLink::frameReceived, this, &frmWx::HandleAgwFrame);
  tray_ = new QSystemTrayIcon(VentoraIcon(), this);
  tray_->setObjectName(QStringLiteral("cSysTray1"));
  tray_->setToolTip(windowTitle());
  connect(tray_, &QSystemTrayIcon::activated, this, [this] { RestoreFromTray(); });
  setFocusPolicy(Qt::StrongFocus);  // F1 reaches the window: its labels take no focus
  for (QLabel* label : {c_.lblWxData, c_.lblRain, c_.lblWxComment}) label->installEventFilter(this);
}

void frmWx::Form_Load(const QString& commandTail) {
  state_.AcceptReport = true;
  settings_.SaveAlarms = false;
  const QString folder = seams_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                        : seams_.programFolder;
  alarmsFile_ = QDir::toNativeSeparators(folder + u'/' + QLatin1String(AlarmsFileName));
  const CommandLine line = ParseCommandLine(commandTail);
  settings_.StationCall = line.StationCall;
  settings_.AgwHost = line.AgwHost;
  settings_.SaveAlarms = line.SaveAlarms;
  LoadAlarmSettings();
  settings_.AgwPort = DefaultAgwPort;
  if (settings_.AgwHost.isEmpty()) settings_.AgwHost = LoopbackHost;
  if (!settings_.StationCall.isEmpty())
    ConnectToEngine();
  else {
    settings_.StationCall = QStringLiteral("NOCALL");
    ShowSetupModal();
  }
}

void frmWx::ConnectToEngine() {
  winsock1_->Connect(settings_.AgwHost, static_cast<quint16>(settings_.AgwPort));
}

void frmWx::LoadAlarmSettings() {
  if (ReadAlarmSettingsFile(alarmsFile_, settings_)) return;
  KeepFaultyAlarmsFile(alarmsFile_);
  SaveAlarmSettings();
}

void frmWx::SaveAlarmSettings() {
  if (WriteAlarmSettingsFile(alarmsFile_, settings_)) return;
  seams_.showMessage(QMessageBox::Warning, alarmsFile_,
                     QStringLiteral("Unable to save Wx Alarm values"));
}

void frmWx::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  winsock1_->Close();
  tray_->hide();
  if (settings_.SaveAlarms) SaveAlarmSettings();
}

void frmWx::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program: an open setup dialog or help window goes with it.
  if (setup_) setup_->close();
  if (help_) help_->close();
  Form_Unload();
  event->accept();
}

void frmWx::tmrElapsed_Timer() {
  state_.AcceptReport = true;
  if (minutesSinceReport_ < MostMinutesShown) ++minutesSinceReport_;
  c_.lblElapsed->setText(FormatTwoDigits(minutesSinceReport_));
}

void frmWx::DecodeWeatherReport(const QString& text) {
  // The tooltip repeats what the labels show, whoever wrote it last (a report or the connection).
  state_.WxDataCaption = c_.lblWxData->text();
  state_.TempCaption = c_.lblTemp->text();
  state_.URCaption = c_.lblUR->text();
  state_.PressCaption = c_.lblPress->text();
  ApplyReport(::DecodeWeatherReport(text, settings_, state_, QLocale()));
}

void frmWx::ApplyReport(const ReportOutcome& out) {
  minutesSinceReport_ = 0;
  c_.lblElapsed->setText(out.Elapsed);
  if (out.restartTimer) tmrElapsed_->start();  // start() on a running timer restarts its minute
  state_ = out.after;
  if (out.compass) {
    c_.picWx->Draw(out.compass->drawing);
    c_.lblCalm->setVisible(out.compass->calm);
  }
  ApplyLabel(c_.lblWxData, out.WxData);
  ApplyLabel(c_.lblTemp, out.Temp);
  ApplyLabel(c_.lblUR, out.UR);
  ApplyLabel(c_.lblPress, out.Press);
  ApplyTrends(out);
  QFont rainFont = c_.lblRain->font();
  rainFont.setPointSizeF(out.RainFontPt);
  c_.lblRain->setFont(rainFont);
  ApplyLabel(c_.lblRain, {out.Rain, out.RainColour});
  Notify(out);
  SetTrayTooltip(out.tooltip);
  c_.lblWxComment->setText(out.WxComment);
}

void frmWx::ApplyTrends(const ReportOutcome& out) {
  for (size_t i = 0; i < out.trends.size(); ++i)
    if (out.trends[i].touched) c_.picVar[i]->Draw(out.trends[i].drawing);
}

void frmWx::Notify(const ReportOutcome& out) {
  if (out.focus) {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
      RestoreFromTray();
    else
      seams_.bringToFront(this);
  }
  if (out.beep) seams_.beep();
}

void frmWx::SetTrayTooltip(const QString& text) {
  tray_->setToolTip(text);
}

void frmWx::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
  // Where no notification area exists, nothing could bring a hidden window back.
  if (!seams_.trayAvailable()) return;
  QMetaObject::invokeMethod(this, &frmWx::SendToTray, Qt::QueuedConnection);
}

void frmWx::SendToTray() {
  if (!(windowState() & Qt::WindowMinimized)) return;
  tray_->show();
  hide();
}

void frmWx::RestoreFromTray() {
  tray_->hide();
  setWindowState(Qt::WindowNoState);
  show();
}
