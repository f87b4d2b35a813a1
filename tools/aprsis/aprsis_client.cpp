#include "aprsis_client.h"

namespace {
constexpr qint64 UpstreamBufferBytes = 64 * 1024;
}  // namespace

AprsIsClient::AprsIsClient(const AprsIsOptions& options, std::FILE* log)
    : options_(options), log_(log), backoff_({options.backoffFirstMs, options.backoffMostMs}) {
  // A bounded buffer lets TCP hold the server back while lines are handled, instead of the
  // socket swallowing a burst whole.
  socket_.setReadBufferSize(UpstreamBufferBytes);
  silence_.setSingleShot(true);
  retry_.setSingleShot(true);
  connect(&silence_, &QTimer::timeout, this, [this] {
    Lost(QStringLiteral("nothing heard for %1 s").arg(options_.silenceMs / 1000.0));
  });
  connect(&retry_, &QTimer::timeout, this, &AprsIsClient::Connect);
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    Log(QStringLiteral("connected, waiting for the banner"));
    connectedFor_.start();
    silence_.start(options_.silenceMs);
  });
  connect(&socket_, &QTcpSocket::readyRead, this, &AprsIsClient::OnReadyRead);
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
    // Delivered later: the socket finishes its own error handling before it is reused.
    const QString cause = socket_.errorString();
    QMetaObject::invokeMethod(
        this, [this, cause] { Lost(cause); }, Qt::QueuedConnection);
  });
}

QByteArray AprsIsClient::LoginLine(const AprsIsOptions& options) {
  return "user " + options.login + " pass -1 vers Ventora " VENTORA_VERSION " filter " +
         options.filter + "\r\n";
}

void AprsIsClient::Start() {
  Connect();
}

AprsIsDropped AprsIsClient::Dropped() const {
  AprsIsDropped d = dropped_;
  d.tooLong += lines_.TooLong();
  return d;
}

void AprsIsClient::Connect() {
  lines_.Clear();
  connectedFor_.invalidate();
  loginSent_ = accepted_ = false;
  Log(QStringLiteral("connecting to %1:%2 (attempt %3)")
          .arg(options_.host)
          .arg(options_.port)
          .arg(++attempt_));
  socket_.connectToHost(options_.host, options_.port);
}

void AprsIsClient::OnReadyRead() {
  silence_.start(options_.silenceMs);
  lines_.Feed(socket_.readAll());
  while (const auto line = lines_.Next()) {
    OnLine(*line);
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
  }
}

void AprsIsClient::OnLine(const QByteArray& line) {
  if (!loginSent_) {  // the banner, whatever it says: now the login, and nothing else ever
    socket_.write(LoginLine(options_));
    loginSent_ = true;
    return;
  }
  const AprsIsLine judged = ReadAprsIsLine(line);
  switch (judged.kind) {
    case AprsIsLineKind::Comment:
      if (line.startsWith("# logresp")) {
        // An answer to the login, not yet a working connection: a full server answers and
        // hangs up.
        Log(QString::fromLatin1(line.mid(2)));
        accepted_ = true;
      }
      return;
    case AprsIsLineKind::Packet:
      accepted_ = true;
      backoff_.Heard();
      emit packetReceived(*judged.packet);
      return;
    case AprsIsLineKind::TooLong:
      ++dropped_.tooLong;
      return;
    case AprsIsLineKind::NotAPacket:
      ++dropped_.notAPacket;
      return;
    case AprsIsLineKind::NotText:
      ++dropped_.notText;
      return;
  }
}

void AprsIsClient::Lost(const QString& cause) {
  if (retry_.isActive()) return;  // already handled: one loss, one retry
  silence_.stop();
  if (lines_.Clear()) ++dropped_.cutOff;  // half a line is never passed on
  if (connectedFor_.isValid()) backoff_.Ended(connectedFor_.elapsed());
  connectedFor_.invalidate();
  if (loginSent_ && !accepted_ && !refusalReported_) {
    Log(QStringLiteral("the server closed the connection right after the login: is %1 a valid "
                       "call? Retrying.")
            .arg(QString::fromLatin1(options_.login)));
    refusalReported_ = true;
  }
  if (accepted_) refusalReported_ = false;
  socket_.abort();
  const int64_t waitMs = backoff_.NextWait();
  Log(QStringLiteral("%1; trying again in %2 s").arg(cause).arg(waitMs / 1000.0));
  retry_.start(std::chrono::milliseconds(waitMs));
}

void AprsIsClient::Log(const QString& text) {
  std::fprintf(log_, "ventora-aprsis: %s\n", text.toLocal8Bit().constData());
  std::fflush(log_);
}
