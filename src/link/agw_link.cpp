#include "agw_link.h"

namespace {
constexpr qint64 ReadBufferBytes = 64 * 1024;
}  // namespace

AgwLink::AgwLink(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
  socket_->setObjectName(QStringLiteral("Winsock1"));
  // A bounded buffer lets TCP hold back an engine that sends faster than frames are handled,
  // instead of the socket swallowing everything into memory.
  socket_->setReadBufferSize(ReadBufferBytes);
  connect(socket_, &QTcpSocket::connected, this, &AgwLink::connected);
  connect(socket_, &QTcpSocket::readyRead, this, &AgwLink::DataArrival);
  connect(socket_, &QTcpSocket::errorOccurred, this, &AgwLink::OnError);
}

void AgwLink::Connect(const QString& host, quint16 port) {
  assembler_ = FrameAssembler();
  socket_->connectToHost(host, port);
}

void AgwLink::Close() {
  socket_->abort();
  assembler_ = FrameAssembler();
}

void AgwLink::SendAgwRequest(char kind) {
  socket_->write(EncodeAgwRequest(kind));
}

void AgwLink::DataArrival() {
  // readyRead is not emitted again for bytes left unread: take everything every time.
  assembler_.Feed(socket_->readAll());
  while (auto frame = assembler_.Next()) {
    emit frameReceived(*frame);
  }
}

void AgwLink::OnError(QAbstractSocket::SocketError error) {
  if (error == QAbstractSocket::RemoteHostClosedError) {
    emit closedByPeer();
    return;
  }
  emit errorOccurred(socket_->errorString());
}
