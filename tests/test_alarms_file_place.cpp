#include <QtTest>

#include "alarms_file_place.h"

namespace {

const QString Program = QStringLiteral("/opt/ventora/bin");
const QString User = QStringLiteral("/home/ham/.config/Ventora");
const QString Beside = Program + QStringLiteral("/WxAlarms.ini");
const QString Own = User + QStringLiteral("/WxAlarms.ini");

}  // namespace

class TestAlarmsFilePlace : public QObject {
  Q_OBJECT
 private slots:
  void choosesThePlace_data() {
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<bool>("userWritable");
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("ownExists");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("seed");
    QTest::newRow("writable program folder, as always")
        << true << true << true << true << Beside << QString();
    QTest::newRow("writable program folder without a file yet")
        << true << false << false << false << Beside << QString();
    QTest::newRow("read-only program folder, no file beside it")
        << false << true << false << false << Own << QString();
    QTest::newRow("read-only program folder, a file beside it seeds the first run")
        << false << true << true << false << Own << Beside;
    QTest::newRow("the user's file already there wins over the one beside")
        << false << true << true << true << Own << QString();
    QTest::newRow("nothing writable: the user's file is the one tried")
        << false << false << false << false << Own << QString();
    QTest::newRow("nothing writable, a file beside: still read from it")
        << false << false << true << false << Own << Beside;
  }
  void choosesThePlace() {
    QFETCH(bool, programWritable);
    QFETCH(bool, userWritable);
    QFETCH(bool, besideExists);
    QFETCH(bool, ownExists);
    const AlarmsFilePlace place = ChooseAlarmsFile(
        Program, User,
        [&](const QString& folder) { return folder == Program ? programWritable : userWritable; },
        [&](const QString& file) { return file == Beside ? besideExists : ownExists; });
    QTEST(place.path, "path");
    QTEST(place.seedPath, "seed");
  }

  void probesByCreatingAFile() {
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("a/b"));
    QVERIFY(CanWriteIn(nested));  // created on the way
    QVERIFY(QDir(nested).exists());
    QVERIFY(QDir(nested).entryList(QDir::Files | QDir::Hidden).isEmpty());  // the probe is gone
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(!CanWriteIn(plain.fileName() + QStringLiteral("/sub")));
    QVERIFY(!CanWriteIn(QString()));
  }
};

QTEST_GUILESS_MAIN(TestAlarmsFilePlace)
#include "test_alarms_file_place.moc"
