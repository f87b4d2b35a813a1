// The one TCP connection to the AGWPE engine: connects, sends requests, pumps whole frames out.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <functional>

#include "frame_assembler.h"

class AgwLink : public QObject {
  Q_OBJECT
 public:
  explicit AgwLink(QObject* parent = nullptr);

  // Starts a connection; the outcome arrives as connected() or errorOccurred().
  void Connect(const QString& host, quint16 port);
  // Closes the connection, or abandons a pending or failed one. Bytes not yet framed are dropped.
  void Close();
  // Sends a header-only request frame of this kind.
  void SendAgwRequest(char kind);

  QTcpSocket* Socket() { return socket_; }

 signals:
  void connected();
  // One whole frame, in arrival order, each exactly once. The frame is read in place in the
  // link's buffer: valid only while the signal is delivered (connect receivers directly).
  void frameReceived(const AgwFrameView& frame);
  // The socket's own description of a failure, or ours of a stream that is not AGWPE's. Always
  // delivered from the event loop once the socket has finished its own handling, so that a
  // receiver may close and connect again; a failure of a connection since closed is dropped.
  void errorOccurred(const QString& description);
  // The engine closed the connection (delivered as errorOccurred is).
  void closedByPeer();

 private:
  void DataArrival();
  void OnError(QAbstractSocket::SocketError error);
  void ReportLater(const QString& description);
  // Runs `deliver` from the event loop, unless the connection has been closed or replaced since.
  void Later(std::function<void()> deliver);
  void StartAfresh();

  QTcpSocket* socket_;
  FrameAssembler assembler_;
  quint64 attempt_ = 0;  // counts Connect and Close: tells a stale failure from a current one
};
