#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

#include "aprsis_line.h"
#include "engine_rig.h"

namespace {

constexpr qsizetype AprsIsLongest = AprsIsMaxLine;

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

// The bridge logged in to the fake APRS-IS, with `ventora-cli monitor` watching its AGWPE side.
struct BridgeWithMonitor {
  FakeAprsIs aprsis;
  const quint16 agwPort = FreePort();
  QProcess bridge;
  QTcpSocket* upstream = nullptr;
  std::unique_ptr<Monitor> monitor;

  bool Start() {
    bridge.start(QStringLiteral(VENTORA_APRSIS), aprsis.BridgeArguments("IW2ABC", agwPort));
    upstream = aprsis.Next();
    if (!upstream) return false;
    monitor = std::make_unique<Monitor>(agwPort);
    return QTest::qWaitFor([this] { return monitor->Has("ports"); }, 10000) &&
           aprsis.Greet(upstream);
  }
  ~BridgeWithMonitor() {
    bridge.kill();
    bridge.waitForFinished();
  }
};

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

  // A server that takes the login and then hangs up is a server to leave alone for longer and
  // longer: its answer to the login is no proof that the connection works.
  void aDropAfterTheLoginAnswerStillBacksOff() {
    FakeAprsIs aprsis;
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS),
                 aprsis.BridgeArguments("IW2ABC", FreePort(), {"--backoff-ms", "100"}));
    for (int attempt = 0; attempt < 4; ++attempt) {
      QTcpSocket* s = aprsis.Next();
      QVERIFY(s);
      QVERIFY(aprsis.Greet(s));
      QTest::qWait(20);  // the logresp is read before the line goes
      s->disconnectFromHost();
    }
    bridge.kill();
    bridge.waitForFinished();
    const auto gap = [&aprsis](int i) {
      return aprsis.acceptedAtMs[i + 1] - aprsis.acceptedAtMs[i];
    };
    QVERIFY2(gap(0) >= 90 && gap(1) >= 190 && gap(2) >= 390,
             qPrintable(QStringLiteral("%1 %2 %3 ms").arg(gap(0)).arg(gap(1)).arg(gap(2))));
  }

  // What does earn a fresh start: a packet, or a connection that stayed up as long as the
  // longest wait (60 times the first one: 3 s here).
  void aWorkingConnectionStartsTheBackoffAgain_data() {
    QTest::addColumn<bool>("packet");
    QTest::newRow("a packet came") << true;
    QTest::newRow("the connection lasted") << false;
  }
  void aWorkingConnectionStartsTheBackoffAgain() {
    QFETCH(bool, packet);
    FakeAprsIs aprsis;
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS),
                 aprsis.BridgeArguments("IW2ABC", FreePort(), {"--backoff-ms", "50"}));
    for (int attempt = 0; attempt < 5; ++attempt) {  // waits of 50, 100, 200 and 400 ms
      QTcpSocket* s = aprsis.Next();
      QVERIFY(s);
      QVERIFY(aprsis.Greet(s));
      QTest::qWait(20);
      s->disconnectFromHost();
    }
    // The sixth connection works for a while; the next wait would be 800 ms without it.
    QTcpSocket* s = aprsis.Next();
    QVERIFY(s);
    QVERIFY(aprsis.Greet(s));
    if (packet)
      s->write(Report(70));
    else
      QTest::qWait(3300);
    QTest::qWait(50);
    s->disconnectFromHost();
    const qint64 droppedAt = aprsis.clock.elapsed();
    QVERIFY(aprsis.Next());
    bridge.kill();
    bridge.waitForFinished();
    const qint64 grown = aprsis.acceptedAtMs[4] - aprsis.acceptedAtMs[3];
    const qint64 after = aprsis.acceptedAtMs[6] - droppedAt;
    QVERIFY2(grown >= 380 && after < 600,
             qPrintable(QStringLiteral("grown to %1 ms, then %2 ms").arg(grown).arg(after)));
  }

  // The longest line APRS-IS sends, its CR in one read and its LF in the next.
  void aLongestLineSplitBeforeItsLfIsKept() {
    BridgeWithMonitor run;
    QVERIFY(run.Start());
    QProcess& bridge = run.bridge;
    QTcpSocket* upstream = run.upstream;
    Monitor& monitor = *run.monitor;
    QByteArray line = Report(70);
    line.chop(2);
    line += ' ' + QByteArray(AprsIsLongest - line.size() - 1, 'x');
    QCOMPARE(line.size(), AprsIsLongest);
    upstream->write(line + '\r');
    upstream->flush();
    QTest::qWait(200);  // read on its own
    upstream->write("\n");
    upstream->flush();
    QTest::qWait(200);  // the gate takes one report a tick
    upstream->write(Report(71));
    QTRY_VERIFY2_WITH_TIMEOUT(monitor.Temps().size() >= 2, qPrintable(monitor.Temps().join(u' ')),
                              10000);
    QCOMPARE(monitor.Temps(), QStringList({Celsius(70), Celsius(71)}));
    bridge.kill();
    bridge.waitForFinished();
  }

  // The gate as `decode --tnc2` prints it is the gate `monitor` shows when a tick comes between
  // any two reports: open again after a report without a wind direction.
  void decodeShowsTheGateAsTheMonitorDoes() {
    BridgeWithMonitor run;
    QVERIFY(run.Start());
    QProcess& bridge = run.bridge;
    QTcpSocket* upstream = run.upstream;
    Monitor& monitor = *run.monitor;
    const QList<QByteArray> packets{
        Report(60), "IZ9ZZZ-13>APRS,TCPIP*,qAC,T2ITALY:_.../...t061h50b10132\r\n",
        "IZ9ZZZ-13>APRS,TCPIP*,qAC,T2ITALY:_.../...t062h51b10133\r\n", Report(63),
        "IZ9ZZZ-13>APRS,TCPIP*,qAC,T2ITALY:_.../...t064h52b10134\r\n"};
    QByteArray log;
    for (const QByteArray& packet : packets) {
      upstream->write(packet);
      upstream->flush();
      log += packet;
      QTest::qWait(150);  // ticks of 20 ms between the reports
    }
    QTRY_VERIFY_WITH_TIMEOUT(monitor.Temps().size() >= packets.size(), 10000);
    bridge.kill();
    bridge.waitForFinished();
    QList<bool> shown;
    for (const QByteArray& line : monitor.lines) {
      const QJsonObject event = QJsonDocument::fromJson(line).object();
      if (event["event"] == QLatin1String("report")) shown << event["acceptReport"].toBool();
    }
    for (const char* threads : {"1", "2"}) {
      QProcess cli;
      cli.start(QStringLiteral(VENTORA_CLI),
                {"decode", "--tnc2", "--locale", "C", "--threads", threads});
      cli.write(log);
      cli.closeWriteChannel();
      QVERIFY(cli.waitForFinished(10000));
      QList<bool> printed;
      for (const QByteArray& line : cli.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
          printed << QJsonDocument::fromJson(line).object()["acceptReport"].toBool();
      QCOMPARE(printed, shown);
    }
    QCOMPARE(shown, QList<bool>({false, true, true, false, true}));
  }

  void refusesABadPort_data() {
    QTest::addColumn<QString>("port");
    for (const char* port : {"abc", "70000", "65536", "0", "-1", "", "80x", "8000.5"})
      QTest::newRow(port) << port;
  }
  void refusesABadPort() {
    QFETCH(QString, port);
    QProcess bridge;
    bridge.start(QStringLiteral(VENTORA_APRSIS),
                 {"--login", "IW2ABC", "--server", "127.0.0.1:1", "--port", port, "IZ9ZZZ-13"});
    if (!bridge.waitForFinished(3000)) {
      bridge.kill();
      bridge.waitForFinished();
      QFAIL("the bridge started on a bad port");
    }
    QCOMPARE(bridge.exitCode(), 2);
    QVERIFY(bridge.readAllStandardError().contains("--port wants a whole number from 1 to 65535"));
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
