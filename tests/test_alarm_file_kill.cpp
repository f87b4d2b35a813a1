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
    QVERIFY(WriteAlarmSettingsFile(path, a));
    int sawB = 0;
    for (int round = 0; round < 1000; ++round) {
      const pid_t child = fork();
      QVERIFY(child >= 0);
      if (child == 0) {
        for (int i = 0;; ++i) WriteAlarmSettingsFile(path, i % 2 ? a : b);
      }
      usleep(QRandomGenerator::global()->bounded(2000));
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
