#include <QtTest>

#include "display_state.h"
#include "report_decoder.h"
#include "test_support.h"

namespace {

const QString Example =
    QStringLiteral("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");
const QString ExampleRain =
    QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 13.9\u00B0C  11.5g/m\u00B3");

ReportOutcome Decode(const QString& text, const Settings& s = DefaultAlarmSettings(),
                     const ReportState& state = {}, const QLocale& locale = QLocale::c()) {
  return DecodeWeatherReport(text, s, state, locale);
}

// Decodes reports one after another, as one window would, and returns the last outcome.
ReportOutcome DecodeSequence(const QStringList& texts, const Settings& s = DefaultAlarmSettings()) {
  ReportState state;
  ReportOutcome out;
  for (const QString& t : texts) {
    out = Decode(t, s, state);
    state = out.after;
  }
  return out;
}

QString Caption(const LabelUpdate& u) {
  return u.caption.value_or(QStringLiteral("<unchanged>"));
}

}  // namespace

class TestReportDecoder : public QObject {
  Q_OBJECT
 private slots:
  void workedExample() {
    const ReportOutcome out = Decode(Example);
    QCOMPARE(Caption(out.WxData), QStringLiteral("220\u00B0  6 / 8 km/h"));
    QCOMPARE(Caption(out.Temp), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(Caption(out.UR), QStringLiteral("50%"));
    QCOMPARE(Caption(out.Press), QStringLiteral("990.0 mb"));
    QCOMPARE(out.Rain, ExampleRain);
    QCOMPARE(out.Rain.size(), 42);
    QCOMPARE(out.RainFontPt, 8);
    QCOMPARE(out.WxComment, QStringLiteral(" wRSW"));
    QCOMPARE(out.Elapsed, QStringLiteral("00"));
    QVERIFY(out.restartTimer);
    QVERIFY(!out.after.AcceptReport);
    QVERIFY(out.after.HavePrevious);
    QCOMPARE(out.WxData.colour, LabelColour::Normal);
    QCOMPARE(out.values.WindChill, -999.0f);  // 25.07 lies above 25
    QCOMPARE(out.tooltip, QStringLiteral("IW2XYZ 220\u00B0  6 / 8 km/h 25.0\u00B0C 50% 990.0 mb ") +
                              ExampleRain);
  }

  void positionlessFormGivesTheSameLabels() {
    const ReportOutcome a = Decode(Example);
    const ReportOutcome b =
        Decode(QStringLiteral("_10090556c220s004g005t077r000p000P000h50b09900wRSW"));
    QCOMPARE(Caption(b.WxData), Caption(a.WxData));
    QCOMPARE(Caption(b.Temp), Caption(a.Temp));
    QCOMPARE(Caption(b.Press), Caption(a.Press));
    QCOMPARE(b.Rain, a.Rain);
    QCOMPARE(b.WxComment, a.WxComment);
  }

  void captions_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("wxData");
    QTest::addColumn<QString>("comment");
    QTest::newRow("calm") << "_000/000g000t050"
                          << "Calma di vento"
                          << " ";
    QTest::newRow("gust only is not calm") << "_000/000g005t050"
                                           << "000\u00B0  0 / 8 km/h"
                                           << " ";
    QTest::newRow("missing gust") << "_090/010g...t050"
                                  << "090\u00B0  16 km/h"
                                  << " ";
    QTest::newRow("no gust field, no speed is calm") << "_123/000t050"
                                                     << "Calma di vento"
                                                     << " ";
    QTest::newRow("dotted direction leaves the caption") << "_.../...g005t050"
                                                         << "<unchanged>"
                                                         << " .../...";
    QTest::newRow("pressure change") << "_090/010g015b10132v-3"
                                     << "090\u00B0  16 / 24 km/h"
                                     << "Variaz Press in 4h= -3mb ";
    QTest::newRow("pressure change followed by a letter is not read") << "_090/010g015v-3x"
                                                                      << "090\u00B0  16 / 24 km/h"
                                                                      << " v-3x";
    QTest::newRow("no underscore takes the whole text") << "180/005"
                                                        << "180\u00B0  8 km/h"
                                                        << " ";
    QTest::newRow("leftovers go to the comment")
        << "@091234z4903.50N/07201.75W_090/010g015t050eMB33 hello"
        << "090\u00B0  16 / 24 km/h"
        << " eMB33 hello";
  }
  void captions() {
    QFETCH(QString, report);
    const ReportOutcome out = Decode(report);
    QTEST(Caption(out.WxData), "wxData");
    QTEST(out.WxComment, "comment");
  }

  void directionNotNumericKeepsGateAndCompass() {
    const ReportOutcome out = Decode(QStringLiteral("_.../...g005t050"));
    QVERIFY(out.after.AcceptReport);
    QVERIFY(!out.restartTimer);
    QVERIFY(!out.compass);
    QCOMPARE(out.WxData.colour, LabelColour::Normal);
    QCOMPARE(out.Elapsed, QStringLiteral("00"));
  }

  void humidity100AndPressureCompletion_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("ur");
    QTest::addColumn<QString>("press");
    QTest::newRow("h00 is 100%") << "_090/010h00b10132"
                                 << "C"
                                 << "100%"
                                 << "1013.2 mb";
    QTest::newRow("b0132") << "_090/010h50b0132"
                           << "C"
                           << "50%"
                           << "1013.2 mb";
    QTest::newRow("b0132 Italian") << "_090/010h50b0132"
                                   << "it_IT"
                                   << "50%"
                                   << "1.013,2 mb";
    QTest::newRow("b0850") << "_090/010h50b0850"
                           << "C"
                           << "50%"
                           << "985.0 mb";
    // A station without a barometer sends zeros: no pressure, not a completed 1000 mb.
    QTest::newRow("b0000 no barometer") << "_090/010h50b0000"
                                        << "C"
                                        << "50%"
                                        << "<unchanged>";
    QTest::newRow("b00000 no barometer") << "_090/010h50b00000"
                                         << "C"
                                         << "50%"
                                         << "<unchanged>";
    QTest::newRow("b0010 still completed") << "_090/010h50b0010"
                                           << "C"
                                           << "50%"
                                           << "1001.0 mb";
    QTest::newRow("English grouping") << "_090/010h50b10132"
                                      << "en_US"
                                      << "50%"
                                      << "1,013.2 mb";
  }
  void humidity100AndPressureCompletion() {
    QFETCH(QString, report);
    QFETCH(QString, locale);
    const ReportOutcome out = Decode(report, DefaultAlarmSettings(), {}, QLocale(locale));
    QTEST(Caption(out.UR), "ur");
    QTEST(Caption(out.Press), "press");
  }

  void italianDecimals() {
    const ReportOutcome out = Decode(Example, DefaultAlarmSettings(), {}, QLocale("it_IT"));
    QCOMPARE(Caption(out.Temp), QStringLiteral("25,0\u00B0C"));
    QVERIFY(out.Rain.endsWith(QStringLiteral("Dp 13,9\u00B0C  11,5g/m\u00B3")));
  }

  // The captions in imperial units, worked out by hand from the published factors (1 mph =
  // 1.609344 km/h, 1 in = 25.4 mm, 1 inHg = 33.8639 mb, F = C x 9/5 + 32) applied to the metric
  // reading the report decodes to (the decoder's own factors are a little different: 10 mph
  // decodes to 16.09347 km/h, shown as 10.00002 mph).
  void imperialCaptions_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("wxData");
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("rain");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("fontPt");
    // t-05: -20.556 C = -5.0 F. Wind chill -32.276 C = -26.10 F, dew point -23.104 C = -9.59 F.
    // b10132: 1013.2 / 33.8639 = 29.9198 inHg.
    QTest::newRow("frost with gusts") << "_270/010g025t-05h80b10132"
                                      << "270\u00B0  10 / 25 mph"
                                      << "-5.0\u00B0F"
                                      << "29.92 inHg"
                                      << " Wch -26.1\u00B0F Dp -9.6\u00B0F  0.8g/m\u00B3"
                                      << " " << 8;
    QTest::newRow("calm at freezing") << "_000/000g000t032"
                                      << "Calma di vento"
                                      << "32.0\u00B0F"
                                      << "<unchanged>"
                                      << ""
                                      << " " << 10;
    // r012: 3.04804 mm = 0.1200 in; p150: 38.1004 mm = 1.5000 in; P100: 25.4003 mm = 1.0000 in.
    // Wind chill 19.459 C = 67.03 F, dew point 9.270 C = 48.69 F; 990.0 mb = 29.2347 inHg.
    QTest::newRow("rain") << "_090/005g010t068r012p150P100h50b09900"
                          << "090\u00B0  5 / 10 mph"
                          << "68.0\u00B0F"
                          << "29.23 inHg"
                          << "0.12in/h 1.50in/24h\r\n1.00in/Day Wch 67.0\u00B0F Dp 48.7\u00B0F  "
                             "8.6g/m\u00B3"
                          << " " << 8;
    QTest::newRow("only since midnight") << "_090/010P100"
                                         << "090\u00B0  10 mph"
                                         << "<unchanged>"
                                         << "<unchanged>"
                                         << "1.00in/Day"
                                         << " " << 10;
    // v-3: -3 / 33.8639 = -0.0886 inHg.
    QTest::newRow("pressure change") << "_090/010g015b10132v-3"
                                     << "090\u00B0  10 / 15 mph"
                                     << "<unchanged>"
                                     << "29.92 inHg"
                                     << ""
                                     << "Variaz Press in 4h= -0.09inHg " << 10;
    // t023: -5.0 C, the default LoTemp: the limit is compared in Celsius.
    QTest::newRow("alarm at the Celsius limit") << "_090/001t023"
                                                << "090\u00B0  1 mph"
                                                << "23.0\u00B0F"
                                                << "<unchanged>"
                                                << ""
                                                << " " << 10;
  }
  void imperialCaptions() {
    QFETCH(QString, report);
    Settings imperial = DefaultAlarmSettings();
    imperial.Units = UnitSystem::Imperial;
    const ReportOutcome out = Decode(report, imperial);
    QTEST(Caption(out.WxData), "wxData");
    QTEST(Caption(out.Temp), "temp");
    QTEST(Caption(out.Press), "press");
    QTEST(out.Rain, "rain");
    QTEST(out.WxComment, "comment");
    QTEST(out.RainFontPt, "fontPt");
    QVERIFY(out.tooltip.contains(QStringLiteral("IW2XYZ ") + Caption(out.WxData)));
    // The readings, their alarms and what the window is asked to do stay those of metric.
    const ReportOutcome metric = Decode(report);
    QCOMPARE(out.values.TempC, metric.values.TempC);
    QCOMPARE(out.values.WindSpeed, metric.values.WindSpeed);
    QCOMPARE(out.values.Rain24h, metric.values.Rain24h);
    QCOMPARE(out.values.Pressure, metric.values.Pressure);
    QCOMPARE(out.values.WindChill, metric.values.WindChill);
    for (auto label : {&ReportOutcome::WxData, &ReportOutcome::Temp, &ReportOutcome::Press})
      QCOMPARE((out.*label).colour, (metric.*label).colour);
    QCOMPARE(out.RainColour, metric.RainColour);
    QCOMPARE(out.focus, metric.focus);
  }

  void rainText_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("rain");
    QTest::addColumn<int>("fontPt");
    QTest::newRow("nothing") << "_090/010b10132"
                             << "" << 10;
    QTest::newRow("exactly 25 characters keep 10 pt") << "_090/010r100p400P000"
                                                      << "25mm/h 102mm/24h\r\n0mm/Day" << 10;
    QTest::newRow("26 characters switch to 8 pt") << "_090/010r100p400P040"
                                                  << "25mm/h 102mm/24h\r\n10mm/Day" << 8;
    QTest::newRow("wind chill piece") << "_090/012g020t032"
                                      << " Wch -8.9\u00B0C" << 10;
    QTest::newRow("only since midnight") << "_090/010P100"
                                         << "25mm/Day" << 10;
  }
  void rainText() {
    QFETCH(QString, report);
    const ReportOutcome out = Decode(report);
    QTEST(out.Rain, "rain");
    QTEST(out.RainFontPt, "fontPt");
  }

  void alarms_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("alarm");
    // Default limits: temp -5..40 C, humidity 20..96 %, pressure 900..1040, wind 50, gust 80.
    QTest::newRow("temp at LoTemp is red") << "_090/001t023"
                                           << "temp" << true;
    QTest::newRow("temp one tenth above LoTemp is blue") << "_090/001t024"
                                                         << "temp" << false;
    QTest::newRow("temp at HiTemp is red") << "_090/001t104"
                                           << "temp" << true;
    QTest::newRow("humidity at LoHum is red") << "_090/001h20"
                                              << "ur" << true;
    QTest::newRow("humidity at HiHum is red") << "_090/001h96"
                                              << "ur" << true;
    QTest::newRow("humidity inside is blue") << "_090/001h95"
                                             << "ur" << false;
    QTest::newRow("pressure at HiBaro is red") << "_090/001b10400"
                                               << "press" << true;
    QTest::newRow("pressure inside is blue") << "_090/001b10399"
                                             << "press" << false;
    QTest::newRow("pressure at LoBaro is red") << "_090/001b09000"
                                               << "press" << true;
    QTest::newRow("calm is never red") << "_090/000g000"
                                       << "wind" << false;
    QTest::newRow("rain beyond 24h limit") << "_090/001p999"
                                           << "rain" << true;
    QTest::newRow("rain since midnight is not tested") << "_090/001P999p001r001"
                                                       << "rain" << false;
  }
  void alarms() {
    QFETCH(QString, report);
    QFETCH(QString, label);
    QFETCH(bool, alarm);
    const ReportOutcome out = Decode(report);
    const LabelColour expected = alarm ? LabelColour::Alarm : LabelColour::Normal;
    if (label == "temp") QCOMPARE(out.Temp.colour, expected);
    if (label == "ur") QCOMPARE(out.UR.colour, expected);
    if (label == "press") QCOMPARE(out.Press.colour, expected);
    if (label == "wind") QCOMPARE(out.WxData.colour, expected);
    if (label == "rain") QCOMPARE(out.RainColour, expected);
  }

  // Each limit a label's colour depends on, as the alerts see it; "*" marks a reading beyond.
  void alarmTestsBehindTheLabels_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("tests");
    QTest::newRow("no gust field: the gust is not tested") << "_090/001t023"
                                                           << "Wind TempHigh TempLow*";
    QTest::newRow("a calm is tested and never beyond") << "_090/000g000h96"
                                                       << "Wind Gust HumidityHigh* HumidityLow";
    QTest::newRow("only the rain amounts given") << "_090/001p999"
                                                 << "Wind Rain24h*";
    QTest::newRow("no wind direction: no wind test") << "_.../...g090b10400r001"
                                                     << "PressureHigh* PressureLow RainHour";
  }
  void alarmTestsBehindTheLabels() {
    QFETCH(QString, report);
    static const char* const names[] = {
        "TempHigh",    "TempLow",  "HumidityHigh", "HumidityLow", "PressureHigh",
        "PressureLow", "RainHour", "Rain24h",      "Wind",        "Gust"};
    QStringList tests;
    for (const AlarmTest& t : Decode(report).alarmTests)
      tests << QLatin1String(names[int(t.quantity)]) + QLatin1String(t.beyond ? "*" : "");
    QTEST(tests.join(QLatin1Char(' ')), "tests");
  }

  void windLimits() {
    Settings s = DefaultAlarmSettings();
    s.HiWind = float(31 * 1.609347);  // the speed of "031" exactly
    s.HiGust = float(40 * 1.609347);
    QCOMPARE(Decode("_090/031g000", s).WxData.colour, LabelColour::Alarm);
    QCOMPARE(Decode("_090/030g040", s).WxData.colour, LabelColour::Normal);
    QCOMPARE(Decode("_090/030g041", s).WxData.colour, LabelColour::Alarm);
  }

  void rainAtHourLimitIsRed() {
    Settings s = DefaultAlarmSettings();
    s.HiRainHour = float(10 * 0.254003);
    QCOMPARE(Decode("_090/001r010", s).RainColour, LabelColour::Alarm);
    QCOMPARE(Decode("_090/001r009", s).RainColour, LabelColour::Normal);
  }

  void missingReadingKeepsColour() {
    const ReportOutcome out = Decode(QStringLiteral("_090/001b10132"));
    QVERIFY(!out.Temp.colour && !out.Temp.caption);
    QVERIFY(!out.UR.colour && !out.trends[HumidityTrend].touched);
  }

  void notifications_data() {
    QTest::addColumn<bool>("beepOnData");
    QTest::addColumn<bool>("focusOnData");
    QTest::addColumn<bool>("beepOnAlarm");
    QTest::addColumn<bool>("focusOnAlarm");
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("beep");
    QTest::addColumn<bool>("focus");
    QTest::newRow("beep on data") << true << false << false << false << "_090/001t050" << true
                                  << false;
    QTest::newRow("no data beep without a direction")
        << true << false << false << false << "_.../001t050" << false << false;
    QTest::newRow("focus on data for any report")
        << false << true << false << false << "_.../001t050" << false << true;
    QTest::newRow("alarms with both switches off")
        << false << false << false << false << "_090/001t150h99b08000" << false << false;
    QTest::newRow("three alarms, one beep and focus")
        << false << false << true << true << "_090/001t150h99b08000" << true << true;
    QTest::newRow("no alarm, no request")
        << false << false << true << true << "_090/001t050" << false << false;
  }
  void notifications() {
    Settings s = DefaultAlarmSettings();
    QFETCH(bool, beepOnData);
    QFETCH(bool, focusOnData);
    QFETCH(bool, beepOnAlarm);
    QFETCH(bool, focusOnAlarm);
    s.BeepOnData = beepOnData;
    s.FocusOnData = focusOnData;
    s.BeepOnAlarm = beepOnAlarm;
    s.FocusOnAlarm = focusOnAlarm;
    QFETCH(QString, report);
    const ReportOutcome out = Decode(report, s);
    QTEST(out.beep, "beep");
    QTEST(out.focus, "focus");
  }

  void trends_data() {
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<int>("temp");  // -1: picture untouched, 3: cleared without arrow
    QTest::addColumn<int>("hum");
    QTest::addColumn<int>("press");
    const int none = 3, untouched = -1;
    QTest::newRow("first report clears, no arrows")
        << QStringList{"_090/001t077h50b10132"} << none << none << none;
    QTest::newRow("same temperature draws equals")
        << QStringList{"_090/001t077h50b10132", "_090/001t077h55b10128"} << int(Trend::Equal)
        << int(Trend::Up) << int(Trend::Down);
    QTest::newRow("missing quantity leaves its picture")
        << QStringList{"_090/001t077h50b10132", "_090/001t070"} << int(Trend::Down) << untouched
        << untouched;
    QTest::newRow("quantity first seen later is compared with 0")
        << QStringList{"_090/001t077", "_090/001h55"} << untouched << int(Trend::Up) << untouched;
    QTest::newRow("arrow against the last report that had the quantity")
        << QStringList{"_090/001b10132", "_090/001t050", "_090/001b10132"} << untouched << untouched
        << int(Trend::Equal);
  }
  void trends() {
    QFETCH(QStringList, reports);
    const ReportOutcome out = DecodeSequence(reports);
    QFETCH(int, temp);
    QFETCH(int, hum);
    QFETCH(int, press);
    const int expected[3] = {temp, hum, press};
    for (int i = 0; i < 3; ++i) {
      const TrendUpdate& t = out.trends[i];
      const int got = !t.touched ? -1 : t.arrow ? int(*t.arrow) : 3;
      QCOMPARE(got, expected[i]);
      if (t.touched) QCOMPARE(t.drawing.front().kind, DrawOp::Kind::Clear);
    }
  }

  void tooltipRepeatsCaptionsLastShown() {
    const ReportOutcome out = DecodeSequence({Example, QStringLiteral("_.../...")});
    QCOMPARE(out.tooltip, QStringLiteral("IW2XYZ 220\u00B0  6 / 8 km/h 25.0\u00B0C 50% 990.0 mb "));
  }

  void displayFollowsReports() {
    DisplayState shown;
    ReportState state;
    for (const QString& t : {Example, QStringLiteral("_.../...t080")}) {
      const ReportOutcome out = Decode(t, DefaultAlarmSettings(), state);
      state = out.after;
      ApplyReport(shown, out);
    }
    QCOMPARE(shown.WxData.caption, QStringLiteral("220\u00B0  6 / 8 km/h"));
    QCOMPARE(shown.Temp.caption, QStringLiteral("26.7\u00B0C"));
    QCOMPARE(shown.trends[TempTrend], std::optional<Trend>(Trend::Up));
    QCOMPARE(shown.trends[HumidityTrend], std::optional<Trend>());
    QVERIFY(shown.compass && shown.compass->dir == 220);
    QCOMPARE(shown.Rain.caption, QString());
  }

  // A report longer than the decoder's inline buffers keeps every character of its comment, and
  // the tooltip built from it ends with the rain text as always.
  void longReportKeptWhole() {
    const QString comment = QString(600, u'x') + QStringLiteral("\u00e9nd");
    const ReportOutcome out = Decode(QStringLiteral("_220/004g005t077h50") + comment,
                                     DefaultAlarmSettings(), {}, QLocale::c());
    QCOMPARE(out.WxComment, u' ' + comment);
    QCOMPARE(*out.Temp.caption, QStringLiteral("25.0\u00b0C"));
    QVERIFY(out.tooltip.endsWith(out.Rain));
  }

  void numericFaultsAreSafe_data() {
    QTest::addColumn<QString>("report");
    QTest::newRow("temperature beyond 16 bits") << "_090/001t99999h50";
    QTest::newRow("very low temperature") << "_090/001t-32768h50";
    QTest::newRow("negative humidity") << "_090/001t050h-5";
    QTest::newRow("negative speed") << "_090/-05g010t050";
    QTest::newRow("exponent speed") << "_090/9e9g010t050h50";
    QTest::newRow("huge pressure") << "_090/001b32767";
  }
  void numericFaultsAreSafe() {
    QFETCH(QString, report);
    for (const char* locale : {"C", "it_IT"}) {
      const ReportOutcome out = Decode(report, DefaultAlarmSettings(), {}, QLocale(locale));
      const QString all = Caption(out.WxData) + Caption(out.Temp) + Caption(out.UR) +
                          Caption(out.Press) + out.Rain + out.tooltip;
      QVERIFY2(!all.contains(QLatin1String("nan"), Qt::CaseInsensitive) &&
                   !all.contains(QLatin1String("inf"), Qt::CaseInsensitive),
               qPrintable(all));
    }
  }
};

QTEST_APPLESS_MAIN(TestReportDecoder)
#include "test_report_decoder.moc"
