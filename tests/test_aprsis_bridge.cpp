#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "engine_rig.h"

namespace {

const QByteArray Login = "user IW2ABC pass -1 vers Ventora 5.01 filter b/IZ9ZZZ-13\r\n";

QByteArray Report(int fahrenheit) {
  return "IZ9ZZZ-13>APRS,TCPIP*,qAC,T2ITALY:_220/004g005t0" + QByteArray::number(fahrenheit) +
         "h50b10132\r\n";
}

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

// An APRS-IS server as real ones behave: banner first, logresp after the login, keepalives.
struct FakeAprsIs {
  QTcpServer server;
  QList<QTcpSocket*> connections;
  QList<QByteArray> received;  // everything each connection brought from the bridge
  QList<qint64> acceptedAtMs;
  QElapsedTimer clock;

  FakeAprsIs() {
    server.listen(QHostAddress::LocalHost);
    clock.start();
  }
  // The bridge's command line against this server, for the station IZ9ZZZ-13.
  QStringList BridgeArguments(const QString& login, quint16 agwPort,
                              const QStringList& more = {}) const {
    return QStringList{"--login",  login,
                       "--server", QStringLiteral("127.0.0.1:%1").arg(server.serverPort()),
                       "--port",   QString::number(agwPort)} +
           more + QStringList{"IZ9ZZZ-13"};
  }
  QTcpSocket* Next(int timeoutMs = 10000) {
    QElapsedTimer t;
    t.start();
    while (!server.hasPendingConnections() && t.elapsed() < timeoutMs) QTest::qWait(5);
    QTcpSocket* s = server.nextPendingConnection();
    if (s) {
      const int index = int(connections.size());
      connections << s;
      received << QByteArray();
      acceptedAtMs << clock.elapsed();
      QObject::connect(s, &QTcpSocket::readyRead,
                       [this, s, index] { received[index] += s->readAll(); });
    }
    return s;
  }
  // Banner, the bridge's login, then the server's answer.
  bool Greet(QTcpSocket* s) {
    const QByteArray& got = received[connections.indexOf(s)];
    s->write("# aprsc 2.1.14-g5e0b7d2\r\n");
    QElapsedTimer t;
    t.start();
    while (got.size() < Login.size() && t.elapsed() < 5000) QTest::qWait(5);
    if (!got.startsWith(Login)) return false;
    s->write("# logresp IW2ABC unverified, server T2TEST\r\n");
    return true;
  }
  // Writes in small pieces with pauses: lines arrive cut at awkward points.
  static void Trickle(QTcpSocket* s, const QByteArray& bytes, int piece = 7) {
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
      s->write(bytes.mid(at, piece));
      s->flush();
      QTest::qWait(2);
    }
  }
};

struct Monitor {
  QProcess process;
  QList<QByteArray> lines;
  explicit Monitor(quint16 agwPort) {
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
      while (process.canReadLine()) lines << process.readLine().trimmed();
    });
    process.start(QStringLiteral(VENTORA_CLI),
                  {"monitor", "IZ9ZZZ-13", "127.0.0.1", "--port", QString::number(agwPort),
                   "--tick-ms", "20", "--locale", "C"});
  }
  ~Monitor() {
    process.kill();
    process.waitForFinished();
  }
  QStringList Temps() const {
    QStringList temps;
    for (const QByteArray& line : lines) {
      const QJsonObject event = QJsonDocument::fromJson(line).object();
      if (event["event"] == QLatin1String("report"))
        temps << event["labels"].toObject()["lblTemp"].toString();
    }
    return temps;
  }
  bool Has(const char* event) const {
    for (const QByteArray& line : lines)
      if (line.contains(QByteArray("\"event\":\"") + event + '"')) return true;
    return false;
  }
};

QString Celsius(int fahrenheit) {
  return QString::number((fahrenheit - 32) * 5 / 9.0, 'f', 1) + QStringLiteral("\u00B0C");
}

}  // namespace

class TestAprsIsBridge : public QObject {
  Q_OBJECT
 private slots:
  void everyReportOnceInOrderAcrossFaults() {
    FakeAprsIs aprsis;
    const quint16 agwPort = FreePort();
    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::ForwardedChannels);
    bridge.start(
        QStringLiteral(VENTORA_APRSIS),
        aprsis.BridgeArguments("iw2abc", agwPort, {"--silence-ms", "800", "--backoff-ms", "200"}));
    QTcpSocket* first = aprsis.Next();
    QVERIFY(first);
    Monitor monitor(agwPort);
    QTRY_VERIFY_WITH_TIMEOUT(monitor.Has("ports"), 10000);  // connected and monitoring
    QVERIFY(aprsis.Greet(first));
    // Reports come a little apart: the display's gate takes one per tick (20 ms here).
    FakeAprsIs::Trickle(first, Report(60) + "# aprsc keepalive\r\n");
    QTest::qWait(100);
    FakeAprsIs::Trickle(first, Report(61));
    QTest::qWait(100);
    FakeAprsIs::Trickle(first,
                        "K1ABC>APRS:" + QByteArray(600, 'x') + "\r\n" +  // too long
                            "not a packet at all\r\n" + Report(62),
                        50);
    QTest::qWait(100);
    FakeAprsIs::Trickle(first, Report(99).left(30));  // cut off in the middle of a line
    first->abort();
    const qint64 droppedAt = aprsis.clock.elapsed();

    QTcpSocket* second = aprsis.Next();
    QVERIFY(second);
    QVERIFY(aprsis.Greet(second));
    FakeAprsIs::Trickle(second, Report(63));
    QTest::qWait(100);
    FakeAprsIs::Trickle(second, Report(64));
    const qint64 silentFrom = aprsis.clock.elapsed();  // then nothing: not even a keepalive

    QTcpSocket* third = aprsis.Next();
    QVERIFY(third);
    QVERIFY(aprsis.Greet(third));
    FakeAprsIs::Trickle(third, Report(65));
    const QStringList expected{Celsius(60), Celsius(61), Celsius(62),
                               Celsius(63), Celsius(64), Celsius(65)};
    QTRY_VERIFY2_WITH_TIMEOUT(monitor.Temps().size() >= expected.size(),
                              qPrintable(monitor.Temps().join(u' ')), 10000);
    QTest::qWait(200);
    QCOMPARE(monitor.Temps(), expected);           // each once, in order, the cut-off one never
    for (const QByteArray& got : aprsis.received)  // the login line and not one byte more
      QCOMPARE(got, Login);
    const qint64 reconnectMs = aprsis.acceptedAtMs[1] - droppedAt;
    const qint64 silenceMs = aprsis.acceptedAtMs[2] - silentFrom;
    qInfo("reconnect after a drop: %lld ms (backoff 200 ms); after silence: %lld ms (800 ms)",
          reconnectMs, silenceMs);
    QVERIFY(reconnectMs >= 150 && reconnectMs < 3000);
    QVERIFY(silenceMs >= 800 && silenceMs < 5000);
#ifndef Q_OS_WIN
    bridge.terminate();  // SIGTERM: a clean stop
    QVERIFY(bridge.waitForFinished(5000));
    QCOMPARE(bridge.exitStatus(), QProcess::NormalExit);
#endif
  }

  // A server that hangs up right after every login: said once, retried ever later.
  void refusedLoginIsReportedOnceAndRetried() {
    FakeAprsIs aprsis;
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS),
                 aprsis.BridgeArguments("N0CALL", FreePort(), {"--backoff-ms", "100"}));
    for (int attempt = 0; attempt < 4; ++attempt) {
      QTcpSocket* s = aprsis.Next();
      QVERIFY(s);
      s->write("# aprsc 2.1.14\r\n");
      QTRY_VERIFY(!aprsis.received.last().isEmpty());
      s->disconnectFromHost();
    }
    bridge.kill();
    bridge.waitForFinished();
    const QByteArray log = bridge.readAllStandardError();
    QCOMPARE(log.count("right after the login"), 1);
    const auto gap = [&aprsis](int i) {
      return aprsis.acceptedAtMs[i + 1] - aprsis.acceptedAtMs[i];
    };
    QVERIFY2(gap(0) >= 90 && gap(1) >= 190 && gap(2) >= 390,
             qPrintable(QStringLiteral("%1 %2 %3 ms").arg(gap(0)).arg(gap(1)).arg(gap(2))));
  }

  // A client that switches monitoring on and never reads again costs the other client nothing.
  void aStalledClientDoesNotHoldUpAnother() {
    FakeAprsIs aprsis;
    const quint16 agwPort = FreePort();
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS), aprsis.BridgeArguments("IW2ABC", agwPort));
    QTcpSocket* upstream = aprsis.Next();
    QVERIFY(upstream);
    QTest::qWait(300);  // listening by now
    QTcpSocket stalled;
    stalled.connectToHost(QHostAddress::LocalHost, agwPort);
    QVERIFY(stalled.waitForConnected(5000));
    stalled.write(QByteArray(4, '\0') + 'm' + QByteArray(31, '\0'));  // and never a read
    stalled.flush();
    Monitor monitor(agwPort);
    QTRY_VERIFY_WITH_TIMEOUT(monitor.Has("ports"), 10000);
    QVERIFY(aprsis.Greet(upstream));
    constexpr int Lines = 1500;
    QByteArray burst;
    for (int i = 0; i < Lines; ++i)
      burst +=
          "K" + QByteArray::number(i) + ">APRS,TCPIP*,qAC,T2TEST:>" + QByteArray(250, 'x') + "\r\n";
    upstream->write(burst);
    const auto frames = [&monitor] {
      int n = 0;
      for (const QByteArray& line : monitor.lines) n += line.contains("\"event\":\"frame\"");
      return n;
    };
    QTRY_COMPARE_WITH_TIMEOUT(frames(), Lines, 20000);
    QCOMPARE(stalled.state(), QAbstractSocket::ConnectedState);
    bridge.kill();
    bridge.waitForFinished();
  }

  void loginIsRequired() {
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS), {"IZ9ZZZ-13"});
    QVERIFY(bridge.waitForFinished(5000));
    QCOMPARE(bridge.exitCode(), 2);
    QVERIFY(bridge.readAllStandardError().contains("--login"));
  }

  // The window as a user runs it: the bridge is its AGWPE engine.
  void theWindowShowsTheStationThroughTheBridge() {
    FakeAprsIs aprsis;
    const quint16 agwPort = FreePort();
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS), aprsis.BridgeArguments("IW2ABC", agwPort));
    QTcpSocket* upstream = aprsis.Next();
    QVERIFY(upstream);
    EngineRig rig(QStringLiteral("IZ9ZZZ-13"));
    rig.window->Winsock1().Close();
    QTest::qWait(300);  // the bridge is listening by now
    rig.window->Winsock1().Connect(QStringLiteral("127.0.0.1"), agwPort);
    QTRY_COMPARE(rig.Label("lblRain")->text(),
                 QStringLiteral("Porte Radio : 1"));  // the bridge's one port
    QVERIFY(aprsis.Greet(upstream));
    upstream->write(Report(77));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QVERIFY(rig.List2()->item(0)->text().startsWith(
        QStringLiteral("1: IZ9ZZZ-13 To APRS Via TCPIP*,qAC,T2ITALY")));
    bridge.kill();
    bridge.waitForFinished();
  }
};

QTEST_MAIN(TestAprsIsBridge)
#include "test_aprsis_bridge.moc"
