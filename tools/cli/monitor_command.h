// `ventora-cli monitor`: the window's link, gate and decoder, printing one JSON line per event.
#pragma once

#include <QLocale>
#include <QObject>
#include <QTimer>
#include <cstdio>

#include "agw_link.h"
#include "display_state.h"
#include "history_store.h"
#include "report_decoder.h"
#include "settings.h"

struct MonitorOptions {
  Settings settings;  // StationCall, AgwHost, AgwPort and the alarm part
  QLocale locale;
  int tickMs = 60000;
  bool reconnect = false;       // a lost connection is retried on the window's schedule
  qint64 retrySecondMs = 1000;  // one second of that schedule (tests shorten it)
  QString historyFile;          // empty: reports are not stored
};

class MonitorSession : public QObject {
  Q_OBJECT
 public:
  MonitorSession(const MonitorOptions& options, std::FILE* out);
  void Start();
  // Opens the history file that the options name, if any; false (said on `err`) when it cannot
  // be used.
  bool KeepHistory(std::FILE* err);

 private:
  void OnConnected(bool bySchedule);
  void OnFrame(const AgwFrameView& frame);
  void OnTick();
  void OnClosed();
  void Print(const QByteArray& json);
  void StoreReport(const QString& info, const ReportOutcome& out);

  MonitorOptions options_;
  std::FILE* out_;
  AgwLink link_;
  QTimer tick_;
  DisplayState shown_;
  std::unique_ptr<HistoryStore> history_;
  bool historyFaultSaid_ = false;
};
