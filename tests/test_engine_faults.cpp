#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "engine_rig.h"
#include "link_frames.h"
#include "main_window.h"
#include "test_support.h"
#include "window_seams_recorder.h"

class TestEngineFaults : public QObject {
  Q_OBJECT
 private slots:
  void engineThatNeverAnswers() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    QTest::qWait(200);
    QCOMPARE(rig.Label("lblWxData")->text(), QStringLiteral("Ventora v5"));
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  // A remote engine that is powered off answers nothing, and the system would wait minutes: an
  // attempt that has not opened within the connect timeout is given up as failed. A SOCKS5 proxy
  // on loopback that never answers holds the socket in its connecting state, every time.
  void connectThatNeverOpensIsGivenUp() {
    QTcpServer silentProxy;
    QVERIFY(silentProxy.listen(QHostAddress::LocalHost));
    AgwLink link;
    link.RetryLostConnections(20);
    link.SetConnectTimeoutMs(150);
    link.Socket()->setProxy(QNetworkProxy(QNetworkProxy::Socks5Proxy, QStringLiteral("127.0.0.1"),
                                          silentProxy.serverPort()));
    QSignalSpy errors(&link, &AgwLink::errorOccurred);
    QSignalSpy waits(&link, &AgwLink::reconnecting);
    link.Connect(QStringLiteral("127.0.0.1"), silentProxy.serverPort());
    QTRY_COMPARE(errors.size(), 1);  // the user's own attempt is told
    QCOMPARE(errors.at(0).at(0).toString(), waits.at(0).at(1).toString());
    QCOMPARE(waits.at(0).at(0).toLongLong(), qint64(100));
    QTRY_VERIFY(waits.size() >= 2);  // the retry was given up too, without a word to the user
    QCOMPARE(waits.at(1).at(0).toLongLong(), qint64(200));
    QCOMPARE(errors.size(), 1);
  }

  void engineClosesMidFrame() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    const QByteArray frame = MonitoredFrame("IW2XYZ", "_090/010g015t077");
    rig.Send(frame.left(frame.size() / 2));
    rig.engine->disconnectFromHost();
    QTest::qWait(200);
    QCOMPARE(rig.frames, 0);
    QCOMPARE(rig.Label("lblTemp")->text(), QString());
    QVERIFY(rig.recorder.messages.isEmpty());  // a closing engine is not an error
  }

  void largestFrameThenAReport() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    QByteArray big(65535, 'x');
    for (int i = 100; i < big.size(); i += 100) big[i] = '\r';
    rig.Send(AgwFrameBytes('U', "K1ABC", big) + MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.frames, 2);
    QCOMPARE(rig.window->findChild<QListWidget*>("List2")->count(), 2);
  }

  void floodOfUnknownKindsAndGarbage() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    QByteArray unknown;
    for (int i = 0; i < 5000; ++i) unknown += AgwFrameBytes(char('a' + i % 26), "ZZ", "junk");
    rig.Send(unknown + MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.frames, 5001);
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  // A wrong data length puts every later header at the wrong offset: the frames before it are
  // handled, then the connection is closed instead of showing silent nonsense (and opened again
  // later by itself, without a box: the link's reconnect tests follow that on).
  void streamOutOfStepClosesTheConnection() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    QByteArray lying = MonitoredFrame("K1ABC", ">short");
    lying[AgwDataLenOffset] = char(lying[AgwDataLenOffset] - 4);  // four data bytes left over
    rig.Send(MonitoredFrame("IW2XYZ", "_090/010g015t077") + lying +
             MonitoredFrame("IW2XYZ", "_090/010g015t090"));
    QTRY_COMPARE(rig.engine->state(), QAbstractSocket::UnconnectedState);
    QTRY_VERIFY(rig.Label("lblWxComment")->text().startsWith(QStringLiteral("Riprovo AGWPE ore ")));
    QCOMPARE(rig.frames, 2);
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QVERIFY(rig.recorder.messages.isEmpty());
    QCOMPARE(rig.recorder.modals, 0);
  }

  // The user confirms a reconnect in the dialog that a failed connection opened: the new
  // connection must live on after the error's own handling is over, and deliver frames.
  void reconnectConfirmedAfterAnErrorHolds() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 nobody = probe.serverPort();
    probe.close();
    EngineRig rig;
    rig.window->Winsock1().Close();
    QTcpServer second;  // the port box takes 16-bit ports: below the usual ephemeral range
    for (quint16 port = 23000; !second.isListening() && port < 23100; ++port)
      second.listen(QHostAddress::LocalHost, port);
    QVERIFY(second.isListening());
    rig.recorder.answerModal = [&second](QDialog* dialog) {
      dialog->findChild<QLineEdit*>("txtHost")->setText(QStringLiteral("127.0.0.1"));
      dialog->findChild<QLineEdit*>("txtPort")->setText(QString::number(second.serverPort()));
      dialog->findChild<QPushButton*>("cmdAccept")->click();
    };
    rig.window->Winsock1().Connect(QStringLiteral("127.0.0.1"), nobody);  // refused
    QTRY_VERIFY(second.hasPendingConnections());
    QTcpSocket* engine = second.nextPendingConnection();
    QTRY_COMPARE(engine->bytesAvailable(), qint64(3 * AgwHeaderSize));
    QCOMPARE(rig.recorder.messages.size(), 1);
    QCOMPARE(rig.recorder.modals, 1);
    engine->write(MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QTest::qWait(100);
    QCOMPARE(engine->state(), QAbstractSocket::ConnectedState);
    QCOMPARE(rig.recorder.messages.size(), 1);
  }

  void everyFrameOfAFloodIsHandledOnce() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    const QByteArray other = MonitoredFrame("K1ABC", "!4903.50N/07201.75W-passing");
    const QByteArray own = MonitoredFrame("IW2XYZ", "_090/010g015t077");
    constexpr int Count = 20000;
    QByteArray stream;
    for (int i = 1; i <= Count; ++i) stream += i % 100 == 0 ? own : other;
    rig.Send(stream);
    QTRY_COMPARE_WITH_TIMEOUT(rig.frames, Count, 20000);
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QVERIFY(!rig.window->AcceptReport());
  }
};

QTEST_MAIN(TestEngineFaults)
#include "test_engine_faults.moc"
