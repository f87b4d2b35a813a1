// `ventora-cli monitor`: the window's link, gate, decoder and alerts, printing one JSON line per
// event.
#pragma once

#include <QLocale>
#include <QObject>
#include <QTimer>
#include <cstdio>

#include "agw_link.h"
#include "alert_watch.h"
#include "display_state.h"
#include "history_recorder.h"
#include "mqtt_publisher.h"
#include "report_decoder.h"
#include "settings.h"

struct MonitorOptions {
  Settings settings;  // StationCall, AgwHost, AgwPort, the alarm part and the units
  QLocale locale;
  QString language;  // the captions' language (--lang); empty: as written, Italian
  int tickMs = 60000;
  bool reconnect = false;       // a lost connection is retried on the window's schedule
  qint64 retrySecondMs = 1000;  // one second of that schedule (tests shorten it)
  QString historyFile;          // empty: reports are not stored
  AlertTimes alertTimes;        // --silent-after, --engine-after and (for tests) --minute-ms
  QString onEvent;              // the user's command for every alert; empty: none
  MqttSettings mqtt;            // not enabled: nothing is published
  bool quiet = false;  // for the journal: no line per frame, report or minute, only the changes
};

class MonitorSession : public QObject {
  Q_OBJECT
 public:
  // Events go to `out`; what the history must tell the user goes to `err`.
  MonitorSession(const MonitorOptions& options, std::FILE* out, std::FILE* err);
  // Opens the history the options name, if any, saying a fault before connecting (the monitor
  // goes on, and tries the file again at a later report); then connects.
  void Start();
  // Says "offline" to the broker and leaves it: the monitor is ending.
  void Close();

 private:
  void OnConnected(bool bySchedule);
  void OnFrame(const AgwFrameView& frame);
  void OnTick();
  void OnClosed();
  void OnMqttState(const MqttState& state);
  void Print(const QByteArray& json);
  void PrintDetail(const QByteArray& json);
  void StoreReport(const HistoryRow& row);
  void SayHistory(const QStringList& messages);
  void Say(const QString& text);
  AlertOptions WatchOptions() const;

  MonitorOptions options_;
  std::FILE* out_;
  std::FILE* err_;
  AgwLink link_;
  QTimer tick_;
  DisplayState shown_;
  const CaptionFormat format_;  // in the language installed before the session was made
  std::unique_ptr<HistoryRecorder> history_;  // nothing when reports are not stored
  AlertWatch watch_;
  MqttPublisher mqtt_;
};
