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

  // Section [alerts]: each value out of range or not understood reads as its default alone.
  void readsTheAlerts_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<int>>("minutes");  // silent, engine
    QTest::addColumn<bool>("notify");
    QTest::addColumn<QString>("command");
    QTest::newRow("none: the defaults") << QByteArray() << QList<int>{30, 5} << true << QString();
    QTest::newRow("all given, off and a day")
        << QByteArray(
               "[alerts]\nsilent_after_min=0\nengine_after_min=1440\nnotify=false\n"
               "command=notify-send Ventora\n")
        << QList<int>{0, 1440} << false << QStringLiteral("notify-send Ventora");
    QTest::newRow("beyond a day, below zero")
        << QByteArray("[alerts]\nsilent_after_min=1441\nengine_after_min=-1\nnotify=0\n")
        << QList<int>{30, 5} << false << QString();
    QTest::newRow("not numbers, not a switch")
        << QByteArray("[alerts]\nsilent_after_min=ten\nengine_after_min=2.5\nnotify=maybe\n")
        << QList<int>{30, 5} << true << QString();
    QTest::newRow("spaces and an unquoted comma")
        << QByteArray("[alerts]\nsilent_after_min= 45 \nnotify= TRUE\ncommand=say a, b\n")
        << QList<int>{45, 5} << true << QStringLiteral("say a, b");
  }
  void readsTheAlerts() {
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, minutes);
    QFETCH(bool, notify);
    QFETCH(QString, command);
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(PreferencesFileName));
    WriteAll(path, content);
    const AlertPreferences alerts = ReadPreferencesFile(path).preferences.alerts;
    QCOMPARE((QList<int>{alerts.silentAfterMin, alerts.engineAfterMin}), minutes);
    QCOMPARE(alerts.notify, notify);
    QCOMPARE(alerts.command, command);
  }

  void alertsRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(PreferencesFileName));
    const AlertPreferences written{
        0, 1440, false, QStringLiteral("\"C:\\Program Files\\curl.exe\" -d \"a, b; c=d\" x")};
    QCOMPARE(WritePreferencesFile(path, {LanguageChoice::Italian, UnitSystem::Metric, written, {}}),
             QString());
    const AlertPreferences read = ReadPreferencesFile(path).preferences.alerts;
    QCOMPARE((QList<int>{read.silentAfterMin, read.engineAfterMin}),
             (QList<int>{written.silentAfterMin, written.engineAfterMin}));
    QCOMPARE(read.notify, written.notify);
    QCOMPARE(read.command, written.command);
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
    QCOMPARE(WritePreferencesFile(path, {LanguageChoice::English, UnitSystem::Imperial, {}, {}}),
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
