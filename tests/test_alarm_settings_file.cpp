#include <QtTest>

#include "alarm_settings_file.h"
#include "read_only_place.h"
#include "test_support.h"

namespace {

const QByteArray DefaultFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";

Settings Defaults() {
  Settings s;
  ApplyDefaultAlarms(s);
  return s;
}

Settings NonDefault() {
  Settings s;
  s.BeepOnData = true;
  s.LoTemp = 12.3f;
  s.HiTemp = -0.5f;
  s.LoHum = -7;
  s.HiHum = 100;
  s.LoBaro = 1013.25f;
  s.HiBaro = 1e8f;
  s.HiRainHour = 0.001f;
  s.HiRain24 = 250;
  s.HiWind = 33.3f;
  s.HiGust = 80;
  return s;
}

}  // namespace

class TestAlarmSettingsFile : public QObject {
  Q_OBJECT
 private slots:
  void defaultFileIsExactly67Bytes() {
    const QByteArray bytes = FormatAlarmSettings(Defaults());
    QCOMPARE(bytes, DefaultFile);
    QCOMPARE(bytes.size(), 67);
  }

  void writesAndReadsBack() {
    const QByteArray bytes = FormatAlarmSettings(NonDefault());
    QCOMPARE(bytes, QByteArray("#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n12.3,-0.5,-7,100\r\n"
                               "1013.25,100000000,0.001,250\r\n33.3,80\r\n"));
    const auto back = ParseAlarmSettings(bytes, Settings());
    QVERIFY(back);
    QVERIFY(SameAlarms(*back, NonDefault()));
  }

  void writesPointDecimalsUnderItalianFormat() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QByteArray bytes = FormatAlarmSettings(NonDefault());
    QLocale::setDefault(QLocale::c());
    QVERIFY(bytes.contains("12.3,-0.5"));
    QVERIFY(!bytes.contains("12,3"));
  }

  void reads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<float>("loTemp");
    QTest::addColumn<int>("loHum");
    QTest::addColumn<int>("hiHum");
    QTest::addColumn<float>("hiGust");
    QTest::newRow("default file") << DefaultFile << true << -5.0f << 20 << 96 << 80.0f;
    QTest::newRow("all fourteen on one line, fifteenth ignored")
        << QByteArray("#TRUE#,#TRUE#,#TRUE#,#TRUE#,1,2,3,4,5,6,7,8,9,10,11") << true << 1.0f << 3
        << 4 << 10.0f;
    QTest::newRow("blanks around items and LF line ends")
        << QByteArray(" #FALSE# , #TRUE#,#TRUE#,#TRUE#\n -5 ,40,20,96\n900,1040,40,250\n50,80")
        << true << -5.0f << 20 << 96 << 80.0f;
    QTest::newRow("humidity halves go to even")
        << QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,96.5,97.5\r\n900,1040,40,250\r\n50,80")
        << true << -5.0f << 96 << 98 << 80.0f;
    QTest::newRow("letters read as zero without failure")
        << QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\nabc,40,20,96\r\n900,1040,40,250\r\n50,x")
        << true << 0.0f << 20 << 96 << 0.0f;
    QTest::newRow("decimal comma shifts the items")
        << QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,5,40,20,96\r\n900,1040,40,250\r\n50,80")
        << true << -5.0f << 40 << 20 << 50.0f;
    QTest::newRow("exponent accepted")
        << QByteArray("0,0,0,0,1.5E1,0,0,0,0,0,0,0,0,2e2") << true << 15.0f << 0 << 0 << 200.0f;
    QTest::newRow("empty file fails") << QByteArray() << false << -5.0f << 20 << 96 << 80.0f;
    QTest::newRow("three lines only fail")
        << QByteArray("#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n5,6,7,8\r\n") << false << -5.0f
        << 20 << 96 << 80.0f;
    QTest::newRow("humidity of forty thousand fails")
        << QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n1,40,40000,96\r\n900,1040,40,250\r\n50,80")
        << false << -5.0f << 20 << 96 << 80.0f;
    QTest::newRow("threshold beyond single precision fails")
        << QByteArray("#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n1,40,20,96\r\n900,1e40,40,250\r\n50,80")
        << false << -5.0f << 20 << 96 << 80.0f;
  }
  void reads() {
    QFETCH(QByteArray, content);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(AlarmsFileName));
    WriteAll(path, content);
    Settings s;
    QCOMPARE(ReadAlarmSettingsFile(path, s), ok);
    QTEST(s.LoTemp, "loTemp");
    QTEST(int(s.LoHum), "loHum");
    QTEST(int(s.HiHum), "hiHum");
    QTEST(s.HiGust, "hiGust");
    if (!ok) QVERIFY(SameAlarms(s, Defaults()));
  }

  void failedReadSetsEveryFieldToDefaults() {
    // The first line reads fine, but the file is short: line 1 reverts to the defaults too.
    const auto parsed = ParseAlarmSettings("#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n1,2,3,4\r\n", {});
    QVERIFY(!parsed);
    QTemporaryDir dir;
    Settings s;
    QVERIFY(!ReadAlarmSettingsFile(dir.filePath(QStringLiteral("missing.ini")), s));
    QVERIFY(SameAlarms(s, Defaults()));
    QCOMPARE(s.BeepOnData, false);
    QCOMPARE(s.FocusOnData, true);
  }

  void keepsFaultyFileAsBackup() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(AlarmsFileName));
    QVERIFY(KeepFaultyAlarmsFile(path));  // nothing to keep
    QVERIFY(!QFile::exists(path + ".bak"));
    WriteAll(path, "old faulty");
    WriteAll(path + ".bak", "an older backup");
    QVERIFY(KeepFaultyAlarmsFile(path));
    QCOMPARE(ReadAll(path + ".bak"), QByteArray("old faulty"));
  }

  void saveReplacesWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(AlarmsFileName));
    WriteAll(path, QByteArray(500, 'x'));
    QVERIFY(WriteAlarmSettingsFile(path, Defaults()));
    QCOMPARE(ReadAll(path), DefaultFile);
  }

  void saveIntoReadOnlyFolderFailsAndKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(AlarmsFileName));
    WriteAll(path, "previous");
    const bool saved = SaveAsOrdinaryUserInto(dir.path(), path);
    QVERIFY(!saved);
    QCOMPARE(ReadAll(path), QByteArray("previous"));
  }

  void saveIntoMissingFolderFails() {
    QTemporaryDir dir;
    QVERIFY(
        !WriteAlarmSettingsFile(dir.filePath(QStringLiteral("no/such/WxAlarms.ini")), Defaults()));
  }
};

QTEST_GUILESS_MAIN(TestAlarmSettingsFile)
#include "test_alarm_settings_file.moc"
