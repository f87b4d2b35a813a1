#include <QtTest>

#include "preferences_file.h"
#include "test_support.h"

Q_DECLARE_METATYPE(LanguageChoice)
Q_DECLARE_METATYPE(UnitSystem)

class TestPreferencesFile : public QObject {
  Q_OBJECT
 private slots:
  void readsWhatTheFileSays_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<LanguageChoice>("language");
    QTest::addColumn<UnitSystem>("units");
    QTest::newRow("empty file: the defaults")
        << QByteArray() << LanguageChoice::Automatic << UnitSystem::Metric;
    QTest::newRow("English and imperial") << QByteArray("[display]\nlanguage=en\nunits=imperial\n")
                                          << LanguageChoice::English << UnitSystem::Imperial;
    QTest::newRow("Italian, CR LF, other case")
        << QByteArray("[display]\r\nlanguage=IT\r\nunits=Metric\r\n") << LanguageChoice::Italian
        << UnitSystem::Metric;
    QTest::newRow("unknown words fall back to the defaults")
        << QByteArray("[display]\nlanguage=klingon\nunits=furlongs\n") << LanguageChoice::Automatic
        << UnitSystem::Metric;
  }
  void readsWhatTheFileSays() {
    QFETCH(QByteArray, content);
    QFETCH(LanguageChoice, language);
    QFETCH(UnitSystem, units);
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(PreferencesFileName));
    WriteAll(path, content);
    const PreferencesRead read = ReadPreferencesFile(path);
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.preferences.language, language);
    QCOMPARE(read.preferences.units, units);
  }

  void aMissingFileIsNoProblem() {
    QTemporaryDir dir;
    const PreferencesRead read = ReadPreferencesFile(dir.filePath(QStringLiteral("Ventora.ini")));
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.preferences.units, UnitSystem::Metric);
  }

  void anUnreadableFileFallsBackAndSaysSo() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ventora.ini"));
    QVERIFY(QDir().mkpath(path));  // a folder where the file should be
    const PreferencesRead read = ReadPreferencesFile(path);
    QVERIFY(read.problem.contains(path));
    QCOMPARE(read.preferences.language, LanguageChoice::Automatic);
    QVERIFY(!WritePreferencesFile(path, {}).isEmpty());
  }

  void writingKeepsTheOtherKeys() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ventora.ini"));
    WriteAll(path, "[alerts]\nsilentMinutes=30\n[display]\nlanguage=it\nfuture=1\n");
    QCOMPARE(WritePreferencesFile(path, {LanguageChoice::English, UnitSystem::Imperial, {}}),
             QString());
    const QByteArray written = ReadAll(path);
    QVERIFY(written.contains("silentMinutes=30"));
    QVERIFY(written.contains("future=1"));
    const PreferencesRead read = ReadPreferencesFile(path);
    QCOMPARE(read.preferences.language, LanguageChoice::English);
    QCOMPARE(read.preferences.units, UnitSystem::Imperial);
  }
};

QTEST_APPLESS_MAIN(TestPreferencesFile)
#include "test_preferences_file.moc"
