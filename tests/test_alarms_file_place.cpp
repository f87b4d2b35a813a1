#include <QtTest>

#include "alarms_file_place.h"

namespace {

// A portable copy in the user's home, and the folder of a system-wide install.
const QString Program = QStringLiteral("/home/ham/ventora");
const QString Installed = QStringLiteral("/usr/bin");
const QString User = QStringLiteral("/home/ham/.config/Ventora");
const QString Beside = Program + QStringLiteral("/WxAlarms.ini");
const QString Own = User + QStringLiteral("/WxAlarms.ini");

}  // namespace

class TestAlarmsFilePlace : public QObject {
  Q_OBJECT
 private slots:
  void choosesThePlace_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<bool>("userWritable");
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("ownExists");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("seed");
    QTest::newRow("writable program folder, as always")
        << Program << true << true << true << true << Beside << QString();
    QTest::newRow("writable program folder without a file yet")
        << Program << true << false << false << false << Beside << QString();
    QTest::newRow("read-only program folder, no file beside it")
        << Program << false << true << false << false << Own << QString();
    QTest::newRow("read-only program folder, a file beside it seeds the first run")
        << Program << false << true << true << false << Own << Beside;
    QTest::newRow("the user's file already there wins over the one beside")
        << Program << false << true << true << true << Own << QString();
    QTest::newRow("nothing writable: the user's file is the one tried")
        << Program << false << false << false << false << Own << QString();
    QTest::newRow("nothing writable, a file beside: still read from it")
        << Program << false << false << true << false << Own << Beside;
    QTest::newRow("a system folder written by root is still left alone")
        << Installed << true << true << false << false << Own << QString();
    QTest::newRow("a file an earlier root run left in a system folder seeds the user's")
        << Installed << true << true << true << false << Own << Installed + "/WxAlarms.ini";
  }
  void choosesThePlace() {
    QFETCH(QString, program);
    QFETCH(bool, programWritable);
    QFETCH(bool, userWritable);
    QFETCH(bool, besideExists);
    QFETCH(bool, ownExists);
    const AlarmsFilePlace place = ChooseAlarmsFile(
        program, User,
        [&](const QString& folder) { return folder == program ? programWritable : userWritable; },
        [&](const QString& file) { return file == Own ? ownExists : besideExists; });
    QTEST(place.path, "path");
    QTEST(place.seedPath, "seed");
  }

  void systemFolders_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("system");
    QTest::newRow("the .deb's folder") << "/usr/bin" << true;
    QTest::newRow("an admin's own build") << "/usr/local/bin" << true;
    QTest::newRow("a package under /opt") << "/opt/ventora/bin" << true;
    QTest::newRow("/usr itself") << "/usr" << true;
    QTest::newRow("a name that only starts like /usr") << "/usrdata/ventora" << false;
    QTest::newRow("a name that only starts like /opt") << "/optional/ventora" << false;
    QTest::newRow("a home install") << "/home/ham/.local/bin" << false;
    QTest::newRow("a build tree") << "/home/ham/src/ventora/build" << false;
    QTest::newRow("Program Files") << "C:/Program Files/Ventora" << true;
    QTest::newRow("Program Files (x86), native separators")
        << "C:\\Program Files (x86)\\Ventora" << true;
    QTest::newRow("letter case does not matter on Windows") << "c:/PROGRAM FILES/Ventora" << true;
    QTest::newRow("another drive's Program Files") << "D:/Program Files/Ventora" << true;
    QTest::newRow("a portable copy on a stick") << "E:/Ventora" << false;
    QTest::newRow("a folder named like Program Files deeper down")
        << "C:/Users/ham/Program Files/Ventora" << false;
  }
  void systemFolders() {
    QFETCH(QString, folder);
    QTEST(IsSystemFolder(folder), "system");
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
