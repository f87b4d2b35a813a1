// A real Mosquitto broker for the tests: started on a free loopback port with a configuration the
// test writes (an account, a TLS listener with a certificate made by openssl), stopped and started
// again on the same ports; and a tap that records what arrives, through mosquitto_sub.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "test_support.h"

// Skips the test where Debian's broker is not installed. A Windows build under wine never
// starts it: the zip's programs are tried against the Linux broker by the Windows stage's script.
#ifdef Q_OS_WIN
#define REQUIRE_MQTT_BROKER() QSKIP("the broker is a Linux program")
#else
#define REQUIRE_MQTT_BROKER()                                                  \
  if (QStandardPaths::findExecutable(QStringLiteral("mosquitto")).isEmpty() && \
      !QFile::exists(QStringLiteral("/usr/sbin/mosquitto")))                   \
  QSKIP("no mosquitto broker on this machine")
#endif

struct MqttBrokerOptions {
  bool account = false;  // MqttBroker::User/Password accepted, any other pair refused
  bool tls = false;      // a second listener with TLS, its certificate signed by CaFile()
};

class MqttBroker {
 public:
  static constexpr char User[] = "station";
  static constexpr char Password[] = "s3cret = ; #x";

  explicit MqttBroker(const MqttBrokerOptions& options = {}) : options_(options) {
    port_ = FreePort();
    if (options_.tls) tlsPort_ = FreePort();
  }
  ~MqttBroker() { Stop(); }

  // Writes what the broker needs (once) and starts it; true once it accepts connections.
  bool Start() {
    if (!prepared_ && !Prepare()) return false;
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(Program(), {QStringLiteral("-c"), dir_.filePath(QStringLiteral("broker.conf"))});
    if (!process_.waitForStarted(5000)) return false;
    return Listening(port_) && (!options_.tls || Listening(tlsPort_));
  }
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill(), process_.waitForFinished(2000);
  }

  quint16 Port() const { return port_; }
  quint16 TlsPort() const { return tlsPort_; }
  QString CaFile() const { return dir_.filePath(QStringLiteral("ca.crt")); }
  // A file holding the account's password, as `ventora-cli --mqtt-password-file` reads it.
  QString PasswordFile(const QByteArray& password = Password) const {
    const QString path = dir_.filePath(QStringLiteral("password.txt"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(password + '\n');
    return path;
  }
  // What the broker wrote, for a failure's message.
  QByteArray Log() { return process_.readAll(); }

 private:
  static QString Program() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return found.isEmpty() ? QStringLiteral("/usr/sbin/mosquitto") : found;
  }

  static quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
  }

  static bool Listening(quint16 port) {
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
      QTcpSocket socket;
      socket.connectToHost(QHostAddress::LocalHost, port);
      if (socket.waitForConnected(200)) return true;
      QThread::msleep(20);
    }
    return false;
  }

  static bool Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }

  bool Prepare() {
    QByteArray conf = "persistence false\nlog_dest stdout\n";
#ifdef Q_OS_UNIX
    // As root the broker would otherwise become the "mosquitto" user, who cannot read our folder.
    if (::getuid() == 0) conf += "user root\n";
#endif
    conf += "listener " + QByteArray::number(port_) + " 127.0.0.1\nallow_anonymous true\n";
    if (options_.account) {
      const QString passwords = dir_.filePath(QStringLiteral("passwords"));
      if (!Run(QStringLiteral("mosquitto_passwd"),
               {QStringLiteral("-b"), QStringLiteral("-c"), passwords, QLatin1String(User),
                QLatin1String(Password)}))
        return false;
      conf += "password_file " + passwords.toUtf8() + "\n";
    }
    if (options_.tls) {
      if (!MakeCertificates()) return false;
      conf += "listener " + QByteArray::number(tlsPort_) + " 127.0.0.1\n";
      for (const char* key : {"cafile ca.crt", "certfile server.crt", "keyfile server.key"}) {
        const QList<QByteArray> parts = QByteArray(key).split(' ');
        conf += parts[0] + ' ' + dir_.filePath(QString::fromLatin1(parts[1])).toUtf8() + '\n';
      }
    }
    WriteAll(dir_.filePath(QStringLiteral("broker.conf")), conf);
    prepared_ = true;
    return true;
  }

  // A CA of the test's own, and the broker's certificate for localhost and 127.0.0.1 signed by it.
  bool MakeCertificates() {
    const auto at = [this](const char* name) { return dir_.filePath(QLatin1String(name)); };
    const QString openssl = QStringLiteral("openssl");
    const QStringList key = {
        QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
        QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    WriteAll(at("san.ext"), "subjectAltName=DNS:localhost,IP:127.0.0.1\n");
    return Run(openssl,
               QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + key +
                   QStringList{QStringLiteral("-keyout"), at("ca.key"), QStringLiteral("-out"),
                               at("ca.crt"), QStringLiteral("-days"), QStringLiteral("2"),
                               QStringLiteral("-subj"), QStringLiteral("/CN=Ventora test CA")}) &&
           Run(openssl,
               QStringList{QStringLiteral("req")} + key +
                   QStringList{QStringLiteral("-keyout"), at("server.key"), QStringLiteral("-out"),
                               at("server.csr"), QStringLiteral("-subj"),
                               QStringLiteral("/CN=localhost")}) &&
           Run(openssl, {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                         at("server.csr"), QStringLiteral("-CA"), at("ca.crt"),
                         QStringLiteral("-CAkey"), at("ca.key"), QStringLiteral("-CAcreateserial"),
                         QStringLiteral("-out"), at("server.crt"), QStringLiteral("-days"),
                         QStringLiteral("2"), QStringLiteral("-extfile"), at("san.ext")});
  }

  MqttBrokerOptions options_;
  QTemporaryDir dir_;
  QProcess process_;
  quint16 port_ = 0;
  quint16 tlsPort_ = 0;
  bool prepared_ = false;
};

// What arrives on the broker's plain listener under one topic filter, as mosquitto_sub sees it.
class MqttTap {
 public:
  struct Message {
    bool retained = false;
    QString topic;
    QByteArray payload;
  };

  // Subscribes anonymously; true once mosquitto_sub runs (retained messages come at once).
  bool Start(quint16 port, const QString& filter = QStringLiteral("#")) {
    process_.start(
        QStringLiteral("mosquitto_sub"),
        {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
         QString::number(port), QStringLiteral("-V"), QStringLiteral("mqttv311"),
         QStringLiteral("-F"), QStringLiteral("%r\\t%t\\t%p"), QStringLiteral("-t"), filter});
    return process_.waitForStarted(5000);
  }
  ~MqttTap() {
    process_.kill();
    process_.waitForFinished(2000);
  }

  // Every message so far, in arrival order.
  const QList<Message>& Messages() {
    buffer_ += process_.readAllStandardOutput();
    for (qsizetype end; (end = buffer_.indexOf('\n')) >= 0; buffer_.remove(0, end + 1)) {
      const QList<QByteArray> fields = buffer_.left(end).split('\t');
      if (fields.size() < 3) continue;
      messages_.append({fields[0] == "1", QString::fromUtf8(fields[1]),
                        buffer_.left(end).mid(fields[0].size() + fields[1].size() + 2)});
    }
    return messages_;
  }
  // The last payload on `topic`, waiting up to `ms` for one (or for one that `accept` takes).
  template <typename Accept>
  std::optional<Message> WaitFor(const QString& topic, Accept accept, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    do {
      const QList<Message>& all = Messages();
      for (auto m = all.crbegin(); m != all.crend(); ++m)
        if (m->topic == topic && accept(*m)) return *m;
      process_.waitForReadyRead(50);
      QCoreApplication::processEvents();
    } while (!deadline.hasExpired());
    return std::nullopt;
  }
  std::optional<Message> WaitFor(const QString& topic, int ms = 10000) {
    return WaitFor(
        topic, [](const Message&) { return true; }, ms);
  }
  // How many messages arrived on `topic`.
  int Count(const QString& topic) {
    int n = 0;
    for (const Message& m : Messages()) n += m.topic == topic;
    return n;
  }

 private:
  QProcess process_;
  QByteArray buffer_;
  QList<Message> messages_;
};
