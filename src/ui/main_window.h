// frmWx, the main window: wires start-up, the timer and reports to the core and shows the results.
#pragma once

#include <QTimer>
#include <QWidget>

#include "main_window_layout.h"
#include "report_decoder.h"
#include "settings.h"
#include "window_seams.h"

inline constexpr int ElapsedTickMs = 60000;
inline constexpr int16_t MostMinutesShown = 99;

class frmWx : public QWidget {
  Q_OBJECT
 public:
  explicit frmWx(Settings& settings, WindowSeams seams = WindowSeams::Desktop());

  // Start-up: command line, alarm settings, engine address; runs once before the window shows.
  void Form_Load(const QString& commandTail);
  // Closing: the connection is closed, then the alarm settings are saved when asked.
  void Form_Unload();

  void LoadAlarmSettings();
  void SaveAlarmSettings();

  // Shows one report of the watched station (the information text, first character included).
  void DecodeWeatherReport(const QString& text);
  void RestoreFromTray();

  int16_t MinutesSinceReport() const { return minutesSinceReport_; }
  bool AcceptReport() const { return state_.AcceptReport; }
  bool HavePrevious() const { return state_.HavePrevious; }
  const QString& AlarmsFile() const { return alarmsFile_; }
  const QString& TrayTooltip() const { return trayTooltip_; }
  const MainWindowControls& Controls() const { return c_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void tmrElapsed_Timer();
  void ApplyReport(const ReportOutcome& out);
  void ApplyTrends(const ReportOutcome& out);
  void Notify(const ReportOutcome& out);

  Settings& settings_;
  WindowSeams seams_;
  MainWindowControls c_;
  QTimer* tmrElapsed_;
  ReportState state_;
  int16_t minutesSinceReport_ = 0;
  QString alarmsFile_;
  QString trayTooltip_;
  bool unloaded_ = false;
};
