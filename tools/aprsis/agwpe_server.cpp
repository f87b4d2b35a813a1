#include "agwpe_server.h"

#include <QTcpSocket>

namespace {

// What the socket may hold beyond what the client has read: TCP holds back the rest.
constexpr qint64 SocketLowWater = 64 * 1024;
const QByteArray VersionAnswer("\xd0\x07\0\0\x05\0\0\0", 8);

}  // namespace

AgwpeServer::AgwpeServer(QByteArray portName) : portName_(std::move(portName)) {
  connect(&server_, &QTcpServer::newConnection, this, &AgwpeServer::Accept);
}

AgwpeServer::~AgwpeServer() {
  for (Client& client : clients_) {
    client.socket->disconnect(this);
    delete client.socket;
  }
}

bool AgwpeServer::Listen(const QHostAddress& address, quint16 port, QString* error) {
  if (server_.listen(address, port)) return true;
  *error = server_.errorString();
  return false;
}

void AgwpeServer::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    clients_.push_back({socket, {}, false, {}});
    Client& client = clients_.back();
    connect(socket, &QTcpSocket::readyRead, this, [this, &client] { Serve(client); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, &client] { Pump(client); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      clients_.remove_if([socket](const Client& c) { return c.socket == socket; });
      socket->deleteLater();
    });
  }
}

void AgwpeServer::Serve(Client& client) {
  client.requests.Feed(client.socket->readAll());
  while (auto request = client.requests.Next()) {
    if (request->kind == u'R') {
      client.socket->write(EncodeAgwFrame('R', "", VersionAnswer));
    } else if (request->kind == u'G') {
      client.socket->write(EncodeAgwFrame('G', "", "1;Port1 " + portName_ + ";" + '\0'));
    } else if (request->kind == u'm') {
      client.monitoring = !client.monitoring;  // as in real engines, "m" toggles
    }
  }
  if (client.requests.OutOfStep()) client.socket->abort();  // not an AGWPE client
}

void AgwpeServer::Send(const Tnc2Packet& packet) {
  const QByteArray frame =
      EncodeAgwFrame('U', packet.from, MonitorText(packet, QTime::currentTime()));
  for (Client& client : clients_) {
    if (!client.monitoring) continue;
    client.queue.push_back(frame);
    if (client.queue.size() > MostQueuedFrames) {
      client.queue.pop_front();
      ++dropped_;
    }
    Pump(client);
  }
}

void AgwpeServer::Pump(Client& client) {
  while (!client.queue.empty() && client.socket->bytesToWrite() < SocketLowWater) {
    client.socket->write(client.queue.front());
    client.queue.pop_front();
  }
}
