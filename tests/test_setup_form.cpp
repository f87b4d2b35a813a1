#include <QtTest>

#include "alarm_settings_file.h"
#include "setup_form.h"
#include "test_support.h"

class TestSetupForm : public QObject {
  Q_OBJECT
 private slots:
  void portBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port");  // -1: refused
    QTest::newRow("plain") << "8000" << 8000;
    QTest::newRow("letters after the number") << "8000abc" << 8000;
    QTest::newRow("empty refused") << "" << -1;
    QTest::newRow("letters refused") << "abc" << -1;
    QTest::newRow("a sign alone refused") << " - " << -1;
    QTest::newRow("zero is a number") << "0" << 0;
    QTest::newRow("leading point") << ".7" << 1;
    QTest::newRow("2.5 halves to even") << "2.5" << 2;
    QTest::newRow("3.5 halves to even") << "3.5" << 4;
    QTest::newRow("comma is no decimal") << "80,5" << 80;
    QTest::newRow("blanks ignored") << " 80 00 " << 8000;
    QTest::newRow("beyond 16 bits refused") << "40000" << -1;
    QTest::newRow("negative refused") << "-5" << -1;
  }
  void portBox() {
    QFETCH(QString, text);
    const auto port = ReadPortBox(text);
    QTEST(port ? int(*port) : -1, "port");
  }

  void fillsInRegionalFormat_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("hiBaro");
    QTest::addColumn<QString>("hiWind");
    QTest::addColumn<QString>("loTemp");
    QTest::newRow("Italian") << "it_IT"
                             << "1.040,0"
                             << "50,0"
                             << "-5,0";
    QTest::newRow("English") << "en_US"
                             << "1,040.0"
                             << "50.0"
                             << "-5.0";
    QTest::newRow("C") << "C"
                       << "1040.0"
                       << "50.0"
                       << "-5.0";
  }
  void fillsInRegionalFormat() {
    QFETCH(QString, locale);
    Settings s = DefaultAlarmSettings();
    s.AgwPort = 8000;
    const SetupForm form = FillSetupForm(s, QLocale(locale));
    QTEST(form.Box(SetupBox::HiBaro), "hiBaro");
    QTEST(form.Box(SetupBox::HiWind), "hiWind");
    QTEST(form.Box(SetupBox::LoTemp), "loTemp");
    QCOMPARE(form.Box(SetupBox::LoHum), QStringLiteral("20"));
    QCOMPARE(form.Box(SetupBox::Port), QStringLiteral("8000"));
    // Untouched boxes read back to the same values.
    const SetupReading back = ReadSetupForm(form, s, QLocale(locale));
    QVERIFY(!back.faultyBox);
    QVERIFY(SameAlarms(back.settings, s));
  }

  void untouchedBoxKeepsOneDecimal() {
    Settings s = DefaultAlarmSettings();
    s.HiWind = 12.34f;
    const SetupReading back = ReadSetupForm(FillSetupForm(s, QLocale::c()), s, QLocale::c());
    QCOMPARE(back.settings.HiWind, 12.3f);
  }

  // WxAlarms.ini stays metric: a limit left as the imperial dialog showed it is written back
  // byte for byte, whatever its digits; an edited one is converted from what was typed.
  void imperialRoundTrip_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("box");  // the one box the user edits, -1: none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    const QByteArray odd =
        "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5.37,40.01,20,96\r\n"
        "1013.27,1040.4,12.7,33.33\r\n50.5,80.123\r\n";
    QTest::newRow("untouched: every odd limit back exactly") << "C" << odd << -1 << "" << odd;
    QTest::newRow("untouched, Italian format") << "it_IT" << odd << -1 << "" << odd;
    QTest::newRow("50 \u00B0F typed as the low limit: 10 \u00B0C")
        << "C" << odd << int(SetupBox::LoTemp) << "50.0"
        << QByteArray(odd).replace("-5.37,", "10,");
    QTest::newRow("25 mph typed in the Italian format: 40.2336 km/h")
        << "it_IT" << odd << int(SetupBox::HiWind) << "25"
        << QByteArray(odd).replace("50.5,", "40.2336,");
    QTest::newRow("2 in of rain in 24 h: 50.8 mm")
        << "C" << odd << int(SetupBox::HiRain24) << "2.00"
        << QByteArray(odd).replace("33.33\r", "50.8\r");
  }
  void imperialRoundTrip() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, file);
    QFETCH(int, box);
    QFETCH(QString, typed);
    Settings base = DefaultAlarmSettings();
    base.Units = UnitSystem::Imperial;
    const std::optional<Settings> read = ParseAlarmSettings(file, base);
    QVERIFY(read);
    SetupForm form = FillSetupForm(*read, QLocale(locale));
    if (box >= 0) form.boxes[box] = typed;
    const SetupReading back = ReadSetupForm(form, *read, QLocale(locale));
    QVERIFY(!back.faultyBox);
    QTEST(FormatAlarmSettings(back.settings), "written");
  }

  // The imperial boxes show the limits converted, with the decimals the window shows them with.
  void imperialBoxesShowConvertedLimits() {
    Settings s = DefaultAlarmSettings();
    s.Units = UnitSystem::Imperial;
    const SetupForm form = FillSetupForm(s, QLocale::c());
    QCOMPARE(form.units, UnitSystem::Imperial);
    const QStringList shown{form.Box(SetupBox::LoTemp), form.Box(SetupBox::HiWind),
                            form.Box(SetupBox::HiBaro), form.Box(SetupBox::HiRainHour),
                            form.Box(SetupBox::LoHum)};
    QCOMPARE(shown, (QStringList{"23.0", "31", "30.71", "1.57", "20"}));
  }

  void readsCallHostAndSwitches() {
    Settings s = DefaultAlarmSettings();
    SetupForm form = FillSetupForm(s, QLocale::c());
    form.call = QStringLiteral("  iw2abc-9 ");
    form.host = QStringLiteral("Engine.lan ");
    form.Box(SetupBox::HiHum) = QStringLiteral("97.5");
    form.saveAlarms = true;
    form.beepOnData = true;
    const SetupReading r = ReadSetupForm(form, s, QLocale::c());
    QCOMPARE(r.settings.StationCall, QStringLiteral("IW2ABC-9"));
    QCOMPARE(r.settings.AgwHost, QStringLiteral("Engine.lan "));
    QCOMPARE(r.settings.HiHum, int16_t(98));
    QVERIFY(r.settings.SaveAlarms && r.settings.BeepOnData);
  }

  void faultyBoxes_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty threshold") << int(SetupBox::HiGust) << "";
    QTest::newRow("letters in a threshold") << int(SetupBox::LoBaro) << "abc";
    QTest::newRow("humidity letters") << int(SetupBox::LoHum) << "xx";
    QTest::newRow("port beyond range") << int(SetupBox::Port) << "99999";
    QTest::newRow("threshold beyond single precision") << int(SetupBox::HiRain24) << "1e40";
  }
  void faultyBoxes() {
    QFETCH(int, box);
    QFETCH(QString, text);
    const Settings s = DefaultAlarmSettings();
    SetupForm form = FillSetupForm(s, QLocale::c());
    form.boxes[box] = text;
    form.Box(SetupBox::Port) = box == int(SetupBox::Port) ? text : QStringLiteral("99999");
    const SetupReading r = ReadSetupForm(form, s, QLocale::c());
    QVERIFY(r.faultyBox);
    QCOMPARE(int(*r.faultyBox), box);  // the first faulty box in tab order
    QVERIFY(!r.hint.isEmpty());
  }

  // The example in the refusal must itself be a number the box accepts.
  void hintUsesTheBoxesDecimalSeparator_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("example");
    QTest::newRow("Italian") << "it_IT"
                             << "12,5";
    QTest::newRow("English") << "en_US"
                             << "12.5";
    QTest::newRow("C") << "C"
                       << "12.5";
  }
  void hintUsesTheBoxesDecimalSeparator() {
    QFETCH(QString, locale);
    QFETCH(QString, example);
    const Settings s = DefaultAlarmSettings();
    SetupForm form = FillSetupForm(s, QLocale(locale));
    form.Box(SetupBox::HiWind) = QStringLiteral("forte");
    const SetupReading r = ReadSetupForm(form, s, QLocale(locale));
    QVERIFY(r.hint.endsWith(example));
    form.Box(SetupBox::HiWind) = example;
    QVERIFY(!ReadSetupForm(form, s, QLocale(locale)).faultyBox);
  }

  void reconnectRule_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("acceptedOnce");
    QTest::addColumn<bool>("reconnect");
    QTest::newRow("first confirmation always") << "IW2ABC"
                                               << "localhost" << 8000 << false << true;
    QTest::newRow("nothing changed") << "IW2ABC"
                                     << "localhost" << 8000 << true << false;
    QTest::newRow("host letter case") << "IW2ABC"
                                      << "LOCALHOST" << 8000 << true << true;
    QTest::newRow("host trailing blank") << "IW2ABC"
                                         << "localhost " << 8000 << true << true;
    QTest::newRow("call") << "IW2ABD"
                          << "localhost" << 8000 << true << true;
    QTest::newRow("port") << "IW2ABC"
                          << "localhost" << 8001 << true << true;
  }
  void reconnectRule() {
    Settings current = DefaultAlarmSettings(QStringLiteral("IW2ABC"));
    current.AgwHost = QStringLiteral("localhost");
    current.AgwPort = 8000;
    Settings confirmed = current;
    QFETCH(QString, call);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(bool, acceptedOnce);
    confirmed.StationCall = call;
    confirmed.AgwHost = host;
    confirmed.AgwPort = int16_t(port);
    QTEST(NeedsReconnect(confirmed, current, acceptedOnce), "reconnect");
  }
};

QTEST_APPLESS_MAIN(TestSetupForm)
#include "test_setup_form.moc"
