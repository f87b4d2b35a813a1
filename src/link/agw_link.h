// The one TCP connection to the AGWPE engine: connects, sends requests, pumps whole frames out.
#pragma once

#include <QObject>
#include <QTcpSocket>

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
  // One whole frame, in arrival order, each exactly once.
  void frameReceived(const AgwFrame& frame);
  // The socket's own description of a failure.
  void errorOccurred(const QString& description);
  // The engine closed the connection.
  void closedByPeer();

 private:
  void DataArrival();
  void OnError(QAbstractSocket::SocketError error);

  QTcpSocket* socket_;
  FrameAssembler assembler_;
};
