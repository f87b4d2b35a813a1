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
  StartAfresh();
  socket_->connectToHost(host, port);
}

void AgwLink::Close() {
  socket_->abort();
  StartAfresh();
}

void AgwLink::StartAfresh() {
  ++attempt_;
  assembler_ = FrameAssembler();
}

void AgwLink::SendAgwRequest(char kind) {
  socket_->write(EncodeAgwRequest(kind));
}

void AgwLink::DataArrival() {
  // readyRead is not emitted again for bytes left unread: take everything every time.
  assembler_.Feed(socket_->readAll());
  const quint64 attempt = attempt_;
  while (auto frame = assembler_.NextView()) {
    emit frameReceived(*frame);
    if (attempt != attempt_) return;  // a receiver closed or reconnected: the rest is stale
  }
  if (!assembler_.OutOfStep()) return;
  // One wrong data length puts every later header at the wrong offset: stop here, visibly.
  socket_->abort();
  ReportLater(
      QStringLiteral("Dati non validi da AGWPE: un'intestazione di frame non ha la forma "
                     "prevista. Collegamento chiuso."));
}

void AgwLink::OnError(QAbstractSocket::SocketError error) {
  if (error == QAbstractSocket::RemoteHostClosedError)
    return Later([this] { emit closedByPeer(); });
  ReportLater(socket_->errorString());
}

void AgwLink::ReportLater(const QString& description) {
  Later([this, description] { emit errorOccurred(description); });
}

void AgwLink::Later(std::function<void()> deliver) {
  // QAbstractSocket goes on with its own error path after its signal returns (it may close or
  // abort the socket): a reconnect started by a receiver right there would be undone.
  const quint64 attempt = attempt_;
  QMetaObject::invokeMethod(
      this,
      [this, attempt, deliver = std::move(deliver)] {
        if (attempt == attempt_) deliver();
      },
      Qt::QueuedConnection);
}
