#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "agw_link.h"
#include "tcp_keepalive.h"

class TestTcpKeepAlive : public QObject {
  Q_OBJECT
 private:
  // What a platform cannot read back stays empty; what it reads must be what was set.
  static void CheckTimers(const KeepAliveReadBack& back) {
    QVERIFY(back.on);
    if (back.idleSeconds) QCOMPARE(*back.idleSeconds, EngineKeepAlive.idleSeconds);
    if (back.intervalSeconds) QCOMPARE(*back.intervalSeconds, EngineKeepAlive.intervalSeconds);
    if (back.probes) QCOMPARE(*back.probes, EngineKeepAlive.probes);
#ifndef Q_OS_WIN
    // Linux reads all three back.
    QVERIFY(back.idleSeconds && back.intervalSeconds && back.probes);
#endif
  }

 private slots:
  void aPlainSocketHasNoKeepAlive() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(socket.waitForConnected(5000));
    const auto back = ReadTcpKeepAlive(socket.socketDescriptor());
    QVERIFY(back);
    QVERIFY(!back->on);  // so the next cases prove that the link's call turned it on
  }

  void timersReadBackAsSet() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(socket.waitForConnected(5000));
    QString error;
    QVERIFY2(EnableTcpKeepAlive(socket.socketDescriptor(), EngineKeepAlive, &error),
             qPrintable(error));
    const auto back = ReadTcpKeepAlive(socket.socketDescriptor());
    QVERIFY(back);
    qInfo("read back: idle %s, interval %s, probes %s", back->idleSeconds ? "yes" : "no",
          back->intervalSeconds ? "yes" : "no", back->probes ? "yes" : "no");
    CheckTimers(*back);
  }

  void aBadDescriptorIsRefusedWithAReason() {
    QString error;
    QVERIFY(!EnableTcpKeepAlive(-1, EngineKeepAlive, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ReadTcpKeepAlive(-1));
  }

  // Every connection of the link, the retried ones too, carries the timers; the engine's
  // program receives nothing but the requests.
  void everyLinkConnectionCarriesThem() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    AgwLink link;
    link.RetryLostConnections(10);
    int connects = 0;
    connect(&link, &AgwLink::connected, this, [&] {
      ++connects;
      link.SendAgwRequest('R');
    });
    link.Connect(QStringLiteral("127.0.0.1"), server.serverPort());
    for (int round = 1; round <= 2; ++round) {
      QTRY_VERIFY(server.hasPendingConnections());
      QTcpSocket* engine = server.nextPendingConnection();
      QTRY_COMPARE(connects, round);
      QVERIFY(link.KeepAliveSet());
      const auto back = ReadTcpKeepAlive(link.Socket()->socketDescriptor());
      QVERIFY(back);
      CheckTimers(*back);
      QTRY_COMPARE(engine->bytesAvailable(), qint64(AgwHeaderSize));
      QCOMPARE(engine->readAll(), EncodeAgwRequest('R'));
      engine->close();  // the link tries again by itself
    }
  }
};

QTEST_MAIN(TestTcpKeepAlive)
#include "test_tcp_keepalive.moc"
