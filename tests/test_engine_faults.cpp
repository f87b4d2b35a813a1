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
    // Garbage whose lengths point far ahead: it is held only until those bytes arrive.
    QByteArray garbage(4096, '\xff');
    rig.Send(garbage);
    QTest::qWait(100);
    QVERIFY(rig.recorder.messages.isEmpty());
    QVERIFY(rig.window->isEnabled());
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
