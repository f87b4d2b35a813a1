// The one TCP connection to the AGWPE engine: connects, sends requests, pumps whole frames out,
// and, when asked to, connects again by itself after a lost connection or a failed attempt.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

#include "frame_assembler.h"
#include "reconnect_policy.h"

// A remote engine that is powered off answers nothing, and the system would go on trying for
// minutes: an attempt not open by then is given up and counts as failed.
inline constexpr qint64 ConnectTimeoutMs = 15000;

class AgwLink : public QObject {
  Q_OBJECT
 public:
  explicit AgwLink(QObject* parent = nullptr);

  // From now on a lost connection, or an attempt that never opened, is retried on the reconnect
  // schedule, one second of it lasting `msPerSecond`; without this call every failure is the
  // receiver's to handle.
  void RetryLostConnections(int64_t msPerSecond = MsPerSecond);

  // How long an attempt may take to open before it is given up as failed (tests shorten it).
  void SetConnectTimeoutMs(qint64 ms) { connectTimeoutMs_ = ms; }

  // Starts a connection the user asked for; the outcome arrives as connected() or
  // errorOccurred(). A pending retry is dropped: this connection takes its place.
  void Connect(const QString& host, quint16 port);
  // Closes the connection, or abandons a pending or failed one, and drops a pending retry. Bytes
  // not yet framed are dropped.
  void Close();
  // Sends a header-only request frame of this kind.
  void SendAgwRequest(char kind);

  QTcpSocket* Socket() { return socket_; }
  // Whether the system took the keep-alive timers for the connection open now.
  bool KeepAliveSet() const { return keepAliveSet_; }

 signals:
  // `bySchedule`: the reconnect schedule made it, not the user.
  void connected(bool bySchedule);
  // One whole frame, in arrival order, each exactly once. The frame is read in place in the
  // link's buffer: valid only while the signal is delivered (connect receivers directly).
  void frameReceived(const AgwFrameView& frame);
  // The socket's own description of a failure, or ours of a stream that is not AGWPE's. Always
  // delivered from the event loop once the socket has finished its own handling, so that a
  // receiver may close and connect again; a failure of a connection since closed is dropped.
  // With retries on, only a connection the user asked for that never opened is reported here,
  // after reconnecting() has told the wait that follows: the retries go on whatever the
  // receiver does meanwhile.
  void errorOccurred(const QString& description);
  // The engine closed the connection (delivered as errorOccurred is).
  void closedByPeer();
  // With retries on: the connection is lost or a retry failed, for `reason`; the link connects
  // again by itself in `inMs`.
  void reconnecting(qint64 inMs, const QString& reason);

 private:
  void OnConnected();
  void DataArrival();
  void OnError(QAbstractSocket::SocketError error);
  void ReportLater(const QString& description, bool peerClosed = false);
  // `openMs`: how long the connection had been open; with `wasOpen` false, never.
  void Failed(const QString& description, bool peerClosed, bool wasOpen, qint64 openMs);
  void GiveUpAttempt();
  // Runs `deliver` from the event loop, unless the connection has been closed or replaced since.
  void Later(std::function<void()> deliver);
  void StartAfresh();
  void Attempt(bool bySchedule);

  QTcpSocket* socket_;
  QTimer* retry_;
  QTimer* connectTimeout_;
  QElapsedTimer openFor_;
  FrameAssembler assembler_;
  ReconnectPolicy policy_;
  bool retryLost_ = false;
  bool open_ = false;        // the connect event came for the connection under way
  bool bySchedule_ = false;  // the retry timer, not the user, started the connection under way
  bool keepAliveSet_ = false;
  QString host_;
  quint16 port_ = 0;
  qint64 connectTimeoutMs_ = ConnectTimeoutMs;
  quint64 attempt_ = 0;  // counts Connect and Close: tells a stale failure from a current one
};
