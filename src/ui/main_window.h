// frmWx, the main window: wires start-up, the timer and reports to the core and shows the results.
#pragma once

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <QPointer>
#include <functional>
#include <optional>

#include "agw_link.h"
#include "alert_watch.h"
#include "help_viewer.h"
#include "history_window.h"
#include "history_worker.h"
#include "setup_dialog.h"

#include "display_state.h"
#include "frame_dispatcher.h"
#include "main_window_layout.h"
#include "mqtt_publisher.h"
#include "preferences_dialog.h"
#include "preferences_file.h"
#include "reconnect_notice.h"
#include "settings.h"
#include "window_seams.h"

inline constexpr int ElapsedTickMs = 60000;
// Outer heights of the window without and with the Rx window, in twips.
inline constexpr int CollapsedHeight = 1930;
inline constexpr int ExpandedHeight = 2310;

class frmWx : public QWidget {
  Q_OBJECT
 public:
  explicit frmWx(Settings& settings, WindowSeams seams = WindowSeams::Desktop());
  // The history window reads through this window's history: it goes first; then the history
  // stores the reports handed over and ends its thread.
  ~frmWx() override;

  // Start-up: command line, alarm settings, engine address; runs once before the window shows.
  void Form_Load(const QString& commandTail);
  // Closing: the connection is closed, then the alarm settings are saved when asked.
  void Form_Unload();

  void LoadAlarmSettings();
  void SaveAlarmSettings();
  // Saves as closing does, without closing: the session is ending, or only checking in. A
  // failure is told only when `mayTellTheUser` allows it (it is asked only then).
  void CommitAlarmSettings(const std::function<bool()>& mayTellTheUser);

  // Shows one report of the watched station (the information text, first character included).
  void DecodeWeatherReport(const QString& text);
  // Takes the icon out of the tray and shows the window in its normal state.
  void RestoreFromTray();

  // AGWPE link events.
  // `bySchedule`: the link's reconnect schedule made the connection, not the user.
  void Winsock1_Connect(bool bySchedule = false);
  void Winsock1_Error(const QString& description);
  // The link lost the engine and tries again by itself in `inMs`: the window says so.
  void Winsock1_Reconnecting(qint64 inMs, const QString& reason);
  void HandleAgwFrame(const AgwFrameView& frame);
  void HandleAgwFrame(const AgwFrame& frame);

  // Window commands.
  void ShowSetupModal();
  void ShowSetupModeless();
  void OpenHelp();
  void ToggleRxWindow();
  int OuterHeightTwips() const;
  frmWxSetup* SetupDialog();
  // The preferences dialog, modal; what it confirms is saved in Ventora.ini and applies at once.
  void OpenPreferences();
  const QString& PreferencesFile() const { return preferencesFile_; }
  frmIstruzioni* HelpWindow() const { return help_; }

  // The history: the file, opened at the first report away from the window's thread, and its
  // window (one, not modal).
  HistoryWorker& History();
  void OpenHistoryWindow(HistoryQuantity quantity);
  frmStorico* HistoryWindow() const { return storico_; }

  int16_t MinutesSinceReport() const { return shown_.MinutesSinceReport; }
  bool AcceptReport() const { return shown_.report.AcceptReport; }
  bool HavePrevious() const { return shown_.report.HavePrevious; }
  const DisplayState& Shown() const { return shown_; }
  const QString& AlarmsFile() const { return alarmsFile_; }
  QString TrayTooltip() const { return tray_->toolTip(); }
  AlertWatch& Alerts() { return *alerts_; }
  MqttPublisher& Mqtt() { return *mqtt_; }
  const MainWindowControls& Controls() const { return c_; }
  AgwLink& Winsock1() { return *winsock1_; }
  QSystemTrayIcon& cSysTray1() { return *tray_; }

 signals:
  // The main window has closed: the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void tmrElapsed_Timer();
  void ConnectToEngine();
  // Writes the alarm settings; the text of the warning when they were not saved.
  std::optional<QString> StoreAlarmSettings();
  QString ProgramFolder() const;
  void SendToTray();
  // The locale's numbers and the words in the program's language, made again when either changes.
  const CaptionFormat& Captions();
  // Shows what the display state holds now.
  void Render();
  void Notify(const ReportOutcome& out);
  // Shows what one frame changed.
  void Show(const DispatchResult& r);
  // The row of a report, as the history stores it and MQTT publishes it.
  HistoryRow ReportRow(const QString& text, const ReportOutcome& out) const;
  void SetUpHistoryCommands();
  std::vector<std::pair<QWidget*, HistoryQuantity>> HistoryOpeners() const;
  bool OpenHistoryOnDoubleClick(QObject* watched, QEvent* event);
  // Reads Ventora.ini beside the alarms file; a faulty one leaves the defaults, said once.
  void LoadPreferences(const QString& alarmsPath);
  void ApplyPreferences(const Preferences& chosen);
  // Shows the readings again in the units the settings now say.
  void ShowInCurrentUnits();
  // The alerts of the watched station and their publication over MQTT: made with the window,
  // set again when the preferences, the station or the units change.
  void SetUpAlerts();
  AlertOptions AlertOptionsNow() const;
  void ConfigureAlerts();
  void SetUpMqtt();
  PublisherOptions PublisherOptionsNow() const;
  // The connection's state, on the tray tooltip while MQTT is on and in the preferences.
  void ShowMqttState(const MqttState& state);
  void ShowAlert(const Alert& alert, const QString& text);
  // The last problem of the alert command, on the tray tooltip and in the preferences; empty: none.
  void ShowCommandProblem(const QString& problem);
  AlertPageContext AlertPage() const;
  // The tooltip of the report, the command's problem when there is one, and the state of MQTT
  // while it is on.
  QString TrayTooltipText() const;

  Settings& settings_;
  WindowSeams seams_;
  MainWindowControls c_;
  QTimer* tmrElapsed_;
  AgwLink* winsock1_;
  QSystemTrayIcon* tray_;
  frmWxSetup* setup_ = nullptr;
  QPointer<frmIstruzioni> help_;
  HistoryWorker* history_ = nullptr;
  QPointer<frmStorico> storico_;
  int outerHeightSet_ = 0;
  DisplayState shown_;
  std::optional<CaptionFormat> captions_;  // none: made at the next report
  EngineOutage outage_;
  std::function<void()> closeLinkError_;  // closes the box about a failed connection while open
  bool engineAnsweredBox_ = false;        // the engine answered while that box was open
  QString alarmsFile_;
  QString alarmsSeed_;  // the read-only file beside the program that gives the first values
  QString preferencesFile_;
  Preferences preferences_;                                     // as last read or confirmed
  LanguageChoice runningLanguage_ = LanguageChoice::Automatic;  // as this run started
  QPointer<frmPreferenze> preferencesDialog_;
  AlertWatch* alerts_ = nullptr;
  MqttPublisher* mqtt_ = nullptr;
  QTimer* noticeTray_ = nullptr;   // running while the tray icon is shown only for a notification
  QTimer* trayPlacing_ = nullptr;  // running while an icon just shown is being placed
  QStringList waitingNotices_;     // the notifications that wait for it, in order
  QString commandProblem_;
  bool unloaded_ = false;
  // Start-up could neither read the file nor keep a copy of it, and promised to leave it.
  bool leaveAlarmsFile_ = false;
};
