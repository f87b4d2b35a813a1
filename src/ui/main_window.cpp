#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "alarm_settings_file.h"
#include "alarms_file_place.h"
#include "app_icon.h"
#include "command_line.h"
#include "label_text.h"
#include "twips.h"

namespace {

// QTcpSocket tries every address of this name, so an engine on IPv4 or IPv6 loopback is found.
const QString LoopbackHost = QStringLiteral("localhost");

void ShowLabel(QLabel* label, const ShownLabel& shown) {
  label->setText(shown.caption);
  const QColor colour =
      QColor::fromRgb(shown.colour == LabelColour::Alarm ? AlarmLabelRgb : NormalLabelRgb);
  if (label->palette().color(QPalette::WindowText) == colour) return;
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, colour);
  label->setPalette(pal);
}

}  // namespace

frmWx::frmWx(Settings& settings, WindowSeams seams)
    : settings_(settings), seams_(std::move(seams)) {
  setObjectName(QStringLiteral("frmWx"));
  setWindowTitle(shown_.Caption);
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
  winsock1_->RetryLostConnections(seams_.retrySecondMs);
  connect(winsock1_, &AgwLink::connected, this, &frmWx::Winsock1_Connect);
  connect(winsock1_, &AgwLink::errorOccurred, this, &frmWx::Winsock1_Error);
  connect(winsock1_, &AgwLink::reconnecting, this, &frmWx::Winsock1_Reconnecting);
  connect(winsock1_, &AgwLink::frameReceived, this,
          qOverload<const AgwFrameView&>(&frmWx::HandleAgwFrame));
  tray_ = new QSystemTrayIcon(VentoraIcon(), this);
  tray_->setObjectName(QStringLiteral("cSysTray1"));
  tray_->setToolTip(shown_.tooltip);
  // The right button opens the tray icon's menu; any other action on it restores the window.
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why != QSystemTrayIcon::Context) RestoreFromTray();
  });
  SetUpAlerts();
  SetUpMqtt();
  setFocusPolicy(Qt::StrongFocus);  // F1 reaches the window: its labels take no focus
  for (QLabel* label : {c_.lblWxData, c_.lblRain, c_.lblWxComment}) label->installEventFilter(this);
  SetUpHistoryCommands();
}

void frmWx::Form_Load(const QString& commandTail) {
  shown_.report.AcceptReport = true;
  settings_.SaveAlarms = false;
  const QString userFolder =
      seams_.userConfigFolder.isEmpty()
          ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
          : seams_.userConfigFolder;
  const AlarmsFilePlace place = ChooseAlarmsFile(ProgramFolder(), userFolder, CanWriteIn,
                                                 [](const QString& f) { return QFile::exists(f); });
  QDir().mkpath(QFileInfo(place.path).path());  // the user's folder is made on first use
  alarmsFile_ = QDir::toNativeSeparators(place.path);
  alarmsSeed_ = place.seedPath;
  LoadPreferences(place.path);
  const CommandLine line = ParseCommandLine(commandTail);
  settings_.StationCall = line.StationCall;
  settings_.AgwHost = line.AgwHost;
  settings_.SaveAlarms = line.SaveAlarms;
  LoadAlarmSettings();
  settings_.AgwPort = DefaultAgwPort;
  if (settings_.AgwHost.isEmpty()) settings_.AgwHost = LoopbackHost;
  ConfigureAlerts();
  if (!settings_.StationCall.isEmpty())
    ConnectToEngine();
  else {
    settings_.StationCall = QStringLiteral("NOCALL");
    ShowSetupModal();
  }
}

QString frmWx::ProgramFolder() const {
  return seams_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                        : seams_.programFolder;
}

void frmWx::ConnectToEngine() {
  winsock1_->Connect(settings_.AgwHost, static_cast<quint16>(settings_.AgwPort));
}

void frmWx::LoadAlarmSettings() {
  if (!alarmsSeed_.isEmpty()) {
    // This user's first run of a system-wide install: the file beside the program (or, when it
    // is faulty, the defaults) gives the starting values of the user's own file.
    ReadAlarmSettingsFile(alarmsSeed_, settings_);
    return SaveAlarmSettings();
  }
  if (ReadAlarmSettingsFile(alarmsFile_, settings_)) return;
  if (KeepFaultyAlarmsFile(alarmsFile_)) return SaveAlarmSettings();
  // Replacing the file now would lose the only copy of what it held.
  leaveAlarmsFile_ = true;
  seams_.showMessage(QMessageBox::Warning, alarmsFile_,
                     tr("Il file delle soglie di allarme non si legge e non se ne "
                        "può fare la copia %1.bak: il programma usa i valori "
                        "predefiniti e lascia il file com'è.")
                         .arg(QFileInfo(alarmsFile_).fileName()));
}

void frmWx::SaveAlarmSettings() {
  if (const std::optional<QString> failure = StoreAlarmSettings())
    seams_.showMessage(QMessageBox::Warning, alarmsFile_, *failure);
}

std::optional<QString> frmWx::StoreAlarmSettings() {
  // The file that start-up left alone is replaced only once a copy of it is kept.
  if (leaveAlarmsFile_ && !KeepFaultyAlarmsFile(alarmsFile_))
    return tr("Le soglie di allarme non sono state salvate: del file, che non si "
              "legge, non si può fare la copia %1.bak, e il programma lo lascia "
              "com'è.")
        .arg(QFileInfo(alarmsFile_).fileName());
  leaveAlarmsFile_ = false;  // the copy holds the user's file: later saves must not replace it
  if (WriteAlarmSettingsFile(alarmsFile_, settings_)) return std::nullopt;
  return QStringLiteral("Unable to save Wx Alarm values");
}

void frmWx::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  winsock1_->Close();
  mqtt_->Close();
  tray_->hide();
  if (settings_.SaveAlarms) SaveAlarmSettings();
}

void frmWx::CommitAlarmSettings(const std::function<bool()>& mayTellTheUser) {
  if (!settings_.SaveAlarms) return;
  const std::optional<QString> failure = StoreAlarmSettings();
  if (failure && mayTellTheUser()) seams_.showMessage(QMessageBox::Warning, alarmsFile_, *failure);
}

void frmWx::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program: an open setup dialog or help window goes with it.
  if (setup_) setup_->close();
  if (help_) help_->close();
  if (storico_) storico_->close();
  if (preferencesDialog_) preferencesDialog_->reject();
  Form_Unload();
  event->accept();
  emit closed();
}

void frmWx::tmrElapsed_Timer() {
  OnTick(shown_);
  c_.lblElapsed->setText(shown_.Elapsed);
}

void frmWx::DecodeWeatherReport(const QString& text) {
  const ReportOutcome out = OnReport(shown_, text, settings_, Captions());
  if (out.restartTimer) tmrElapsed_->start();  // start() on a running timer restarts its minute
  Render();
  // Told before an alarm may bring the window back from the tray: the icon still there tells it.
  alerts_->Report(out.alarmTests);
  Notify(out);
  const HistoryRow row = ReportRow(text, out);
  History().Record(row);
  mqtt_->Report(row, out.alarmTests);
}

const CaptionFormat& frmWx::Captions() {
  const QLocale locale;
  if (!captions_ || captions_->Locale() != locale) captions_.emplace(locale);
  return *captions_;
}

void frmWx::Render() {
  setWindowTitle(shown_.Caption);
  ShowLabel(c_.lblWxData, shown_.WxData);
  ShowLabel(c_.lblTemp, shown_.Temp);
  ShowLabel(c_.lblUR, shown_.UR);
  ShowLabel(c_.lblPress, shown_.Press);
  if (shown_.RainFontPt) {
    QFont rainFont = c_.lblRain->font();
    rainFont.setPointSizeF(*shown_.RainFontPt);
    c_.lblRain->setFont(rainFont);
  }
  ShowLabel(c_.lblRain, shown_.Rain);
  c_.lblWxComment->setText(shown_.WxComment);
  c_.lblElapsed->setText(shown_.Elapsed);
  if (shown_.compass) {
    c_.picWx->Draw(shown_.compass->drawing);
    c_.lblCalm->setVisible(shown_.compass->calm);
  }
  for (size_t i = 0; i < shown_.trends.size(); ++i)
    c_.picVar[i]->Draw(TrendPictureDrawing(shown_.trends[i]));
  tray_->setToolTip(TrayTooltipText());
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

void frmWx::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) captions_.reset();
  if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
  // Where no notification area exists, nothing could bring a hidden window back.
  if (!seams_.trayAvailable()) return;
  QMetaObject::invokeMethod(this, &frmWx::SendToTray, Qt::QueuedConnection);
}

void frmWx::SendToTray() {
  if (!(windowState() & Qt::WindowMinimized)) return;
  noticeTray_->stop();  // the icon stays while the window is in the tray
  tray_->show();
  hide();
}

void frmWx::RestoreFromTray() {
  tray_->hide();
  setWindowState(Qt::WindowNoState);
  show();
}
