// The AGWPE side of the bridge: a small engine that answers "R", "G" and "m" and hands every
// packet to its monitoring clients, each with a bounded queue of its own.
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <deque>
#include <list>

#include "frame_assembler.h"
#include "tnc2_packet.h"

class AgwpeServer : public QObject {
  Q_OBJECT
 public:
  // Frames a client has not taken yet; beyond this the oldest are dropped (and counted), so a
  // client that stops reading costs a bounded amount of memory.
  static constexpr size_t MostQueuedFrames = 2000;

  explicit AgwpeServer(QByteArray portName);
  ~AgwpeServer() override;
  bool Listen(const QHostAddress& address, quint16 port, QString* error);
  void Send(const Tnc2Packet& packet);
  quint64 DroppedFrames() const { return dropped_; }
  int Clients() const { return int(clients_.size()); }

 private:
  struct Client {
    QTcpSocket* socket;
    FrameAssembler requests;
    bool monitoring = false;
    std::deque<QByteArray> queue;
  };
  void Accept();
  void Serve(Client& client);
  void Pump(Client& client);

  QByteArray portName_;
  QTcpServer server_;
  std::list<Client> clients_;
  quint64 dropped_ = 0;
};
