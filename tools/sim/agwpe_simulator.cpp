#include "agwpe_simulator.h"

#include <QTcpSocket>

AgwpeSimulator::AgwpeSimulator(const SimulatorOptions& options)
    : options_(options), simulation_(options.call, options.seed) {
  connect(&server_, &QTcpServer::newConnection, this, &AgwpeSimulator::Accept);
  connect(&air_, &QTimer::timeout, this, &AgwpeSimulator::OnAir);
  air_.start(options_.intervalMs);
}

AgwpeSimulator::~AgwpeSimulator() {
  // The sockets would otherwise report their disconnection into a half-destroyed simulator.
  for (Client& client : clients_) {
    client.socket->disconnect(this);
    delete client.socket;
  }
}

bool AgwpeSimulator::Listen(QString* error) {
  if (!options_.replayFile.isEmpty()) {
    QFile file(options_.replayFile);
    if (!file.open(QIODevice::ReadOnly)) {
      *error = QStringLiteral("cannot read %1").arg(options_.replayFile);
      return false;
    }
    for (QByteArray line : file.readAll().split('\n'))
      if (!line.trimmed().isEmpty()) replay_ << line.trimmed();
  }
  if (server_.listen(QHostAddress::LocalHost, options_.port)) return true;
  *error = server_.errorString();
  return false;
}

void AgwpeSimulator::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    clients_.push_back({socket, {}, false, 0});
    Client& client = clients_.back();
    connect(socket, &QTcpSocket::readyRead, this, [this, &client] { Serve(client); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, &client] { Flood(client); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      clients_.remove_if([socket](const Client& c) { return c.socket == socket; });
      socket->deleteLater();
    });
  }
}

void AgwpeSimulator::Serve(Client& client) {
  client.requests.Feed(client.socket->readAll());
  while (auto request = client.requests.Next()) Answer(client, request->kind);
}

void AgwpeSimulator::Answer(Client& client, QChar kind) {
  if (kind == u'R') {
    client.socket->write(EncodeAgwFrame('R', "", QByteArray("\xd0\x07\0\0\x05\0\0\0", 8)));
  } else if (kind == u'G') {
    client.socket->write(
        EncodeAgwFrame('G', "", QByteArray("1;Port1 Ventora simulated radio;\0", 34)));
  } else if (kind == u'm') {
    client.monitoring = !client.monitoring;  // as in real engines, "m" toggles
    if (client.monitoring && options_.flood > 0) {
      client.floodLeft = options_.flood;
      Flood(client);
    } else if (client.monitoring) {
      QTimer::singleShot(300, this, &AgwpeSimulator::OnAir);
    }
  }
}

std::optional<SimulatedPacket> AgwpeSimulator::NextPacket() {
  if (!replay_.isEmpty()) {
    const QByteArray line = replay_[replayAt_];
    replayAt_ = (replayAt_ + 1) % replay_.size();
    return ParseTnc2(line);
  }
  // Mostly the watched station; other stations now and then.
  if (++tick_ % 3 == 0) return simulation_.NextOtherTraffic();
  return simulation_.NextReport(QDateTime::currentDateTime());
}

void AgwpeSimulator::OnAir() {
  if (const auto packet = NextPacket()) Broadcast(*packet);
}

// Keeps the socket's buffer topped up rather than queueing the whole flood at once.
void AgwpeSimulator::Flood(Client& client) {
  constexpr qint64 LowWater = 256 * 1024;
  if (client.floodLeft <= 0) {
    // The flood is over once it has all left: the engine then hangs up.
    if (options_.flood > 0 && client.monitoring && client.socket->bytesToWrite() == 0)
      client.socket->disconnectFromHost();
    return;
  }
  if (client.socket->bytesToWrite() > LowWater) return;
  static const QByteArray other = EncodeAgwFrame(
      'U', "K1ABC", MonitorText({"K1ABC", "!4903.50N/07201.75W-just passing"}, QTime(12, 0)));
  const QByteArray own = EncodeAgwFrame(
      'U', options_.call, MonitorText({options_.call, "_220/004g005t077h50b10132"}, QTime(12, 0)));
  QByteArray batch;
  for (int i = 0; i < 1000 && client.floodLeft > 0; ++i, --client.floodLeft)
    batch += (client.floodLeft % options_.floodEvery == 0) ? own : other;
  client.socket->write(batch);
}

void AgwpeSimulator::Broadcast(const SimulatedPacket& packet) {
  const QByteArray frame =
      EncodeAgwFrame('U', packet.from, MonitorText(packet, QTime::currentTime()));
  for (Client& client : clients_)
    if (client.monitoring) client.socket->write(frame);
}
