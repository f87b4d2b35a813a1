#include "agw_link.h"

#include "tcp_keepalive.h"

namespace {
constexpr qint64 ReadBufferBytes = 64 * 1024;
}  // namespace

AgwLink::AgwLink(QObject* parent)
    : QObject(parent),
      socket_(new QTcpSocket(this)),
      retry_(new QTimer(this)),
      connectTimeout_(new QTimer(this)) {
  socket_->setObjectName(QStringLiteral("Winsock1"));
  // A bounded buffer lets TCP hold back an engine that sends faster than frames are handled,
  // instead of the socket swallowing everything into memory.
  socket_->setReadBufferSize(ReadBufferBytes);
  retry_->setSingleShot(true);
  retry_->setTimerType(Qt::PreciseTimer);  // the window shows the second the attempt is due
  connect(retry_, &QTimer::timeout, this, [this] { Attempt(true); });
  connectTimeout_->setSingleShot(true);
  connect(connectTimeout_, &QTimer::timeout, this, &AgwLink::GiveUpAttempt);
  connect(socket_, &QTcpSocket::connected, this, &AgwLink::OnConnected);
  connect(socket_, &QTcpSocket::readyRead, this, &AgwLink::DataArrival);
  connect(socket_, &QTcpSocket::errorOccurred, this, &AgwLink::OnError);
}

void AgwLink::RetryLostConnections(int64_t msPerSecond) {
  retryLost_ = true;
  policy_ = ReconnectPolicy(msPerSecond);
}

void AgwLink::Connect(const QString& host, quint16 port) {
  host_ = host;
  port_ = port;
  policy_.On(LinkEvent::UserConnect);
  Attempt(false);
}

void AgwLink::Attempt(bool bySchedule) {
  StartAfresh();
  bySchedule_ = bySchedule;
  socket_->abort();  // a lost or failed socket must be unconnected before it connects again
  socket_->connectToHost(host_, port_);
  connectTimeout_->start(std::chrono::milliseconds(connectTimeoutMs_));
}

void AgwLink::GiveUpAttempt() {
  socket_->abort();
  ReportLater(tr("AGWPE non risponde: nessun collegamento dopo %1 s")
                  .arg(double(connectTimeoutMs_) / MsPerSecond));
}

void AgwLink::Close() {
  socket_->abort();
  StartAfresh();
}

void AgwLink::StartAfresh() {
  ++attempt_;
  retry_->stop();
  connectTimeout_->stop();
  open_ = false;
  keepAliveSet_ = false;
  assembler_ = FrameAssembler();
}

void AgwLink::SendAgwRequest(char kind) {
  socket_->write(EncodeAgwRequest(kind));
}

void AgwLink::OnConnected() {
  connectTimeout_->stop();
  open_ = true;
  openFor_.start();
  // Without keep-alive a vanished engine goes unnoticed; the connection itself still works.
  keepAliveSet_ = EnableTcpKeepAlive(socket_->socketDescriptor(), EngineKeepAlive, nullptr);
  policy_.On(LinkEvent::Established);
  emit connected(bySchedule_);
}

void AgwLink::DataArrival() {
  // readyRead is not emitted again for bytes left unread: take everything every time.
  assembler_.Feed(socket_->readAll());
  const quint64 attempt = attempt_;
  while (auto frame = assembler_.NextView()) {
    policy_.On(LinkEvent::Heard);
    emit frameReceived(*frame);
    if (attempt != attempt_) return;  // a receiver closed or reconnected: the rest is stale
  }
  if (!assembler_.OutOfStep()) return;
  // One wrong data length puts every later header at the wrong offset: stop here, visibly.
  socket_->abort();
  ReportLater(
      tr("Dati non validi da AGWPE: un'intestazione di frame non ha la forma "
         "prevista. Collegamento chiuso."));
}

void AgwLink::OnError(QAbstractSocket::SocketError error) {
  ReportLater(socket_->errorString(), error == QAbstractSocket::RemoteHostClosedError);
}

void AgwLink::ReportLater(const QString& description, bool peerClosed) {
  const bool wasOpen = open_;
  const qint64 openMs = wasOpen ? openFor_.elapsed() : 0;
  Later([this, description, peerClosed, wasOpen, openMs] {
    Failed(description, peerClosed, wasOpen, openMs);
  });
}

void AgwLink::Failed(const QString& description, bool peerClosed, bool wasOpen, qint64 openMs) {
  if (peerClosed) {
    const quint64 attempt = attempt_;
    emit closedByPeer();
    if (attempt != attempt_) return;  // a receiver closed or reconnected
    if (!retryLost_) return;
  }
  if (!retryLost_) return emit errorOccurred(description);
  const LinkDecision next =
      policy_.On(wasOpen ? LinkEvent::Lost : LinkEvent::AttemptFailed, openMs);
  StartAfresh();  // whatever the failing socket still reports belongs to the attempt given up
  retry_->start(std::chrono::milliseconds(next.waitMs));
  const quint64 attempt = attempt_;
  emit reconnecting(next.waitMs, description);
  // Told once the wait is set and shown: a receiver's message box runs while the schedule does.
  if (next.report && attempt == attempt_) emit errorOccurred(description);
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
