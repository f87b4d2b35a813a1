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

  // Section [mqtt]: written and read back as it was, the password with the INI's own signs.
  void mqttRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(PreferencesFileName));
    Preferences written;
    written.mqtt = {true,
                    QStringLiteral("broker.lan"),
                    8883,
                    QStringLiteral("meteo"),
                    QStringLiteral(" a=b; c #d, \"e\" "),
                    true,
                    QStringLiteral("C:\\certs\\ca file.pem"),
                    QStringLiteral("casa/meteo"),
                    false,
                    QStringLiteral("ha")};
    WriteAll(path, "[display]\nlanguage=it\n");  // made readable by all, as the umask allows
    QCOMPARE(WritePreferencesFile(path, written), QString());
    const PreferencesRead read = ReadPreferencesFile(path);
    QCOMPARE(read.problem, QString());
    QVERIFY(read.preferences.mqtt == written.mqtt);
#ifndef Q_OS_WIN
    // The password is in it: only its owner reads the file.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(path) & (others | QFile::ReadOwner | QFile::WriteOwner),
             QFile::ReadOwner | QFile::WriteOwner);
#endif
  }

  // Each value out of range or not allowed reads as its default alone.
  void readsTheMqttDefaults_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("none") << QByteArray() << 1883 << QStringLiteral("ventora");
    QTest::newRow("port 0, empty prefix")
        << QByteArray("[mqtt]\nport=0\nprefix=\n") << 1883 << QStringLiteral("ventora");
    QTest::newRow("port beyond, wildcard")
        << QByteArray("[mqtt]\nport=65536\nprefix=a/+/b\n") << 1883 << QStringLiteral("ventora");
    QTest::newRow("port not a number, other wildcard")
        << QByteArray("[mqtt]\nport=mqtt\nprefix=a/#\n") << 1883 << QStringLiteral("ventora");
    QTest::newRow("the last port, a prefix of two levels")
        << QByteArray("[mqtt]\nport=65535\nprefix= casa/meteo \n") << 65535
        << QStringLiteral("casa/meteo");
  }
  void readsTheMqttDefaults() {
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QFETCH(QString, prefix);
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(PreferencesFileName));
    WriteAll(path, content);
    const MqttSettings mqtt = ReadPreferencesFile(path).preferences.mqtt;
    QCOMPARE(mqtt.port, port);
    QCOMPARE(mqtt.prefix, prefix);
    const MqttSettings defaults;
    QCOMPARE(mqtt.enabled, defaults.enabled);
    QCOMPARE(mqtt.discovery, defaults.discovery);
    QCOMPARE(mqtt.discoveryPrefix, defaults.discoveryPrefix);
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
