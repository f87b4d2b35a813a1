// `ventora-cli monitor`: the window's link, gate and decoder, printing one JSON line per event.
#pragma once

#include <QLocale>
#include <QObject>
#include <QTimer>
#include <cstdio>

#include "agw_link.h"
#include "display_state.h"
#include "report_decoder.h"
#include "settings.h"

struct MonitorOptions {
  Settings settings;  // StationCall, AgwHost, AgwPort and the alarm part
  QLocale locale;
  int tickMs = 60000;
  bool reconnect = false;       // a lost connection is retried on the window's schedule
  qint64 retrySecondMs = 1000;  // one second of that schedule (tests shorten it)
};

class MonitorSession : public QObject {
  Q_OBJECT
 public:
  MonitorSession(const MonitorOptions& options, std::FILE* out);
  void Start();

 private:
  void OnConnected();
  void OnFrame(const AgwFrameView& frame);
  void OnTick();
  void OnClosed();
  void Print(const QByteArray& json);

  MonitorOptions options_;
  std::FILE* out_;
  AgwLink link_;
  QTimer tick_;
  DisplayState shown_;
};
