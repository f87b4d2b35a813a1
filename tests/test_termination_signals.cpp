#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QtTest>
#include <cerrno>

#include "termination_signals.h"

namespace {

// A fifteenth item is dropped by any write: its absence shows that the file was saved.
const QByteArray AlarmsWithExtra =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80,extra\r\n";
const QByteArray DefaultAlarms =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";
// Thirteen items: the file cannot be read.
const QByteArray FaultyAlarms = "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n5,6,7,8\r\n9\r\n";
// A folder that is not empty cannot be replaced by a copy of the file.
const QString BlockedBackup = QStringLiteral("WxAlarms.ini.bak/busy");
constexpr int StartedMs = 1500;  // started, connected or told that the engine is missing
constexpr int EndedMs = 10000;
// Far more requests than the channel from the handler to the event loop can hold.
constexpr int ManyRequests = 100000;
constexpr unsigned HandlerHangSeconds = 20;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

// The GUI program copied into `dir`, so that WxAlarms.ini goes beside it.
QString CopyProgramInto(const QTemporaryDir& dir) {
  const QString program = dir.filePath(QStringLiteral("ventora"));
  return QFile::copy(QStringLiteral(VENTORA_GUI), program) ? program : QString();
}

void StopAndWait(QProcess& ventora, int signal) {
  QCOMPARE(ventora.state(), QProcess::Running);
  ::kill(pid_t(ventora.processId()), signal);
  QVERIFY2(ventora.waitForFinished(EndedMs), "the program did not end");
  QCOMPARE(ventora.exitStatus(), QProcess::NormalExit);
  QCOMPARE(ventora.exitCode(), 0);
}

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
    const QString program = CopyProgramInto(dir);
    QVERIFY(!program.isEmpty());
    WriteFile(dir.filePath("WxAlarms.ini"), AlarmsWithExtra);
    QProcess ventora;
    ventora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ventora.start(program, {"IW2XYZ", "127.0.0.1", "SAVE"});
    QVERIFY(ventora.waitForStarted());
    QTest::qWait(StartedMs);
    StopAndWait(ventora, signal);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(ReadFile(dir.filePath("WxAlarms.ini")),
             AlarmsWithExtra.left(AlarmsWithExtra.size() - 8) + "\r\n");
  }

  // A dialog that start-up shows waits in an event loop of its own: a stop request that comes
  // then still ends the program, through its closing handler.
  void terminationSignalEndsAStartUpDialog_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("faultyFile");
    QTest::addColumn<QByteArray>("fileAtEnd");
    const QStringList saving = {"IW2XYZ", "127.0.0.1", "SAVE"};
    for (const int signal : {SIGTERM, SIGINT}) {
      const QByteArray name = signal == SIGTERM ? "SIGTERM" : "SIGINT";
      QTest::newRow(name + ": the setup dialog of a first run without a call")
          << signal << QStringList() << false << DefaultAlarms;
      // The backup place is freed before the stop: the closing handler keeps the faulty file
      // as the backup and then saves, which shows that it ran.
      QTest::newRow(name + ": the warning about a faulty file that cannot be kept")
          << signal << saving << true << DefaultAlarms;
    }
  }
  void terminationSignalEndsAStartUpDialog() {
    QFETCH(int, signal);
    QFETCH(QStringList, arguments);
    QFETCH(bool, faultyFile);
    QFETCH(QByteArray, fileAtEnd);
    QTemporaryDir dir;
    const QString program = CopyProgramInto(dir);
    QVERIFY(!program.isEmpty());
    if (faultyFile) {
      WriteFile(dir.filePath("WxAlarms.ini"), FaultyAlarms);
      QVERIFY(QDir(dir.path()).mkpath(BlockedBackup));
    }
    QProcess ventora;
    ventora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ventora.start(program, arguments);
    QVERIFY(ventora.waitForStarted());
    QTest::qWait(StartedMs);
    if (faultyFile) QVERIFY(QDir(dir.filePath("WxAlarms.ini.bak")).removeRecursively());
    StopAndWait(ventora, signal);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(ReadFile(dir.filePath("WxAlarms.ini")), fileAtEnd);
    if (faultyFile) QCOMPARE(ReadFile(dir.filePath("WxAlarms.ini.bak")), FaultyAlarms);
  }

  // The handler interrupts whatever the program was doing: errno must be as it was left, also
  // when its write fails because earlier requests are still unread. (Last: it installs the
  // handlers in this test program.)
  void signalHandlerKeepsErrno() {
    QuitOnTerminationSignals();
    ::alarm(HandlerHangSeconds);  // a handler that blocks ends the test here, as a failure
    for (int i = 0; i < ManyRequests; ++i) {
      errno = EDOM;
      ::raise(SIGTERM);
      QCOMPARE(errno, EDOM);
    }
    ::alarm(0);
  }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "test_termination_signals.moc"
