#include <sys/wait.h>
#include <unistd.h>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>

#include "alarm_settings_file.h"

// A save interrupted at any moment leaves a whole file: the old one or the new one.
class TestAlarmFileKill : public QObject {
  Q_OBJECT
 private slots:
  void killedSavesLeaveAWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(AlarmsFileName));
    Settings a, b;
    ApplyDefaultAlarms(a);
    ApplyDefaultAlarms(b);
    b.HiTemp = 35.5f;
    b.BeepOnData = true;
    const QByteArray fileA = FormatAlarmSettings(a), fileB = FormatAlarmSettings(b);
    // The kills fall within the time a few saves take here (a debug or sanitizer build, a
    // busy machine, a slow disk all make a save slower): some of them complete between kills.
    QElapsedTimer timing;
    timing.start();
    for (const Settings* s : {&b, &a, &b, &a}) QVERIFY(WriteAlarmSettingsFile(path, *s));
    const int window = int(qMax<qint64>(2000, timing.nsecsElapsed() / 1000));
    int sawB = 0;
    for (int round = 0; round < 1000; ++round) {
      // The kill's moment is counted from when the child runs: a fork can itself take
      // milliseconds (under AddressSanitizer).
      int running[2];
      QVERIFY(pipe(running) == 0);
      const pid_t child = fork();
      QVERIFY(child >= 0);
      if (child == 0) {
        close(running[0]);
        const char go = 1;
        if (write(running[1], &go, 1) != 1) _exit(1);
        for (int i = 0;; ++i) WriteAlarmSettingsFile(path, i % 2 ? a : b);
      }
      close(running[1]);
      char go = 0;
      QCOMPARE(read(running[0], &go, 1), ssize_t(1));
      close(running[0]);
      usleep(QRandomGenerator::global()->bounded(window));
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      QFile f(path);
      QVERIFY(f.open(QIODevice::ReadOnly));
      const QByteArray now = f.readAll();
      QVERIFY2(now == fileA || now == fileB, now.constData());
      sawB += now == fileB;
    }
    QVERIFY(sawB > 0);  // the saves did run between the kills
  }
};

QTEST_APPLESS_MAIN(TestAlarmFileKill)
#include "test_alarm_file_kill.moc"
