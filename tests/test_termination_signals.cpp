#include <signal.h>

#include <QProcess>
#include <QtTest>

namespace {

// A fifteenth item is dropped by any write: its absence shows that the file was saved.
const QByteArray AlarmsWithExtra =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80,extra\r\n";

}  // namespace

// The real program, stopped by the system as a service manager or a terminal would.
class TestTerminationSignals : public QObject {
  Q_OBJECT
 private slots:
  // SIGTERM and SIGINT end the real program through its closing handler: SAVE is kept.
  void terminationSignalSavesTheSettings_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
  }
  void terminationSignalSavesTheSettings() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("ventora"));
    QVERIFY(QFile::copy(QStringLiteral(VENTORA_GUI), program));  // WxAlarms.ini goes beside it
    QFile alarms(dir.filePath("WxAlarms.ini"));
    QVERIFY(alarms.open(QIODevice::WriteOnly));
    alarms.write(AlarmsWithExtra);
    alarms.close();
    QProcess ventora;
    ventora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ventora.start(program, {"IW2XYZ", "127.0.0.1", "SAVE"});
    QVERIFY(ventora.waitForStarted());
    QTest::qWait(1500);  // started, connected or told that the engine is missing
    QCOMPARE(ventora.state(), QProcess::Running);
    ::kill(pid_t(ventora.processId()), signal);
    QVERIFY(ventora.waitForFinished(10000));
    QCOMPARE(ventora.exitStatus(), QProcess::NormalExit);
    QVERIFY(alarms.open(QIODevice::ReadOnly));
    QCOMPARE(alarms.readAll(), AlarmsWithExtra.left(AlarmsWithExtra.size() - 8) + "\r\n");
  }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "test_termination_signals.moc"
