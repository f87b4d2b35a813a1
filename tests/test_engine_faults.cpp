#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "link_frames.h"
#include "main_window.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

// A window connected to an engine stand-in that misbehaves as each case asks.
struct Rig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  QTcpServer server;
  QTcpSocket* engine = nullptr;
  std::unique_ptr<frmWx> window;
  int frames = 0;

  Rig() {
    ApplyDefaultAlarms(settings);
    settings.FocusOnData = false;
    settings.StationCall = QStringLiteral("IW2XYZ");
    window = std::make_unique<frmWx>(settings, TestSeams(recorder, dir.path()));
    QObject::connect(&window->Winsock1(), &AgwLink::frameReceived, [this] { ++frames; });
    server.listen(QHostAddress::LocalHost);
    window->Winsock1().Connect(QStringLiteral("127.0.0.1"), server.serverPort());
  }
  bool Accept() {
    QElapsedTimer t;
    t.start();
    while (!server.hasPendingConnections() && t.elapsed() < 5000) QTest::qWait(10);
    engine = server.nextPendingConnection();
    return engine != nullptr;
  }
  void Send(const QByteArray& bytes) {
    engine->write(bytes);
    engine->flush();
  }
  QString Label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
};

}  // namespace

class TestEngineFaults : public QObject {
  Q_OBJECT
 private slots:
  void engineThatNeverAnswers() {
    Rig rig;
    QVERIFY(rig.Accept());
    QTest::qWait(200);
    QCOMPARE(rig.Label("lblWxData"), QStringLiteral("Ventora v5"));
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  void engineClosesMidFrame() {
    Rig rig;
    QVERIFY(rig.Accept());
    const QByteArray frame = MonitoredFrame("IW2XYZ", "_090/010g015t077");
    rig.Send(frame.left(frame.size() / 2));
    rig.engine->disconnectFromHost();
    QTest::qWait(200);
    QCOMPARE(rig.frames, 0);
    QCOMPARE(rig.Label("lblTemp"), QString());
    QVERIFY(rig.recorder.messages.isEmpty());  // a closing engine is not an error
  }

  void largestFrameThenAReport() {
    Rig rig;
    QVERIFY(rig.Accept());
    QByteArray big(65535, 'x');
    for (int i = 100; i < big.size(); i += 100) big[i] = '\r';
    rig.Send(AgwFrameBytes('U', "K1ABC", big) + MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp"), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.frames, 2);
    QCOMPARE(rig.window->findChild<QListWidget*>("List2")->count(), 2);
  }

  void floodOfUnknownKindsAndGarbage() {
    Rig rig;
    QVERIFY(rig.Accept());
    QByteArray unknown;
    for (int i = 0; i < 5000; ++i) unknown += AgwFrameBytes(char('a' + i % 26), "ZZ", "junk");
    rig.Send(unknown + MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp"), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.frames, 5001);
    // Garbage whose lengths point far ahead: it is held only until those bytes arrive.
    QByteArray garbage(4096, '\xff');
    rig.Send(garbage);
    QTest::qWait(100);
    QVERIFY(rig.recorder.messages.isEmpty());
    QVERIFY(rig.window->isEnabled());
  }

  void everyFrameOfAFloodIsHandledOnce() {
    Rig rig;
    QVERIFY(rig.Accept());
    const QByteArray other = MonitoredFrame("K1ABC", "!4903.50N/07201.75W-passing");
    const QByteArray own = MonitoredFrame("IW2XYZ", "_090/010g015t077");
    constexpr int Count = 20000;
    QByteArray stream;
    for (int i = 1; i <= Count; ++i) stream += i % 100 == 0 ? own : other;
    rig.Send(stream);
    QTRY_COMPARE_WITH_TIMEOUT(rig.frames, Count, 20000);
    QCOMPARE(rig.Label("lblTemp"), QStringLiteral("25.0\u00B0C"));
    QVERIFY(!rig.window->AcceptReport());
  }
};

QTEST_MAIN(TestEngineFaults)
#include "test_engine_faults.moc"
