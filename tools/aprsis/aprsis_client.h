// The APRS-IS side of the bridge: a receive-only login, whole packet lines out, and a patient
// reconnection when the server refuses, drops or falls silent.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

#include "aprsis_line.h"
#include "aprsis_line_splitter.h"
#include "retry_backoff.h"

struct AprsIsOptions {
  QString host = QStringLiteral("rotate.aprs2.net");
  quint16 port = 14580;
  QByteArray login;       // the user's own call
  QByteArray filter;      // server-side filter, "b/CALL" for one station
  int silenceMs = 60000;  // servers send a keepalive every 20 s: a minute of nothing is a fault
  int backoffFirstMs = 1000;
  int backoffMostMs = 60000;  // also how long a connection must last to start the waits again
};

// Lines dropped instead of passed on, by cause.
struct AprsIsDropped {
  quint64 tooLong = 0, notAPacket = 0, notText = 0, cutOff = 0;
};

class AprsIsClient : public QObject {
  Q_OBJECT
 public:
  AprsIsClient(const AprsIsOptions& options, std::FILE* log);
  void Start();
  AprsIsDropped Dropped() const;
  // The line sent after the server's banner; passcode -1 asks for a receive-only connection.
  static QByteArray LoginLine(const AprsIsOptions& options);

 signals:
  void packetReceived(const Tnc2Packet& packet);

 private:
  void Connect();
  void OnReadyRead();
  void OnLine(const QByteArray& line);
  void Lost(const QString& cause);
  void Log(const QString& text);

  AprsIsOptions options_;
  std::FILE* log_;
  QTcpSocket socket_;
  QTimer silence_, retry_;
  AprsIsLineSplitter lines_;
  QElapsedTimer connectedFor_;
  bool loginSent_ = false;
  bool accepted_ = false;  // the server answered the login or sent a packet
  bool refusalReported_ = false;
  RetryBackoff backoff_;
  int attempt_ = 0;
  AprsIsDropped dropped_;
};
