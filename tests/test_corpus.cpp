#include <QtTest>
#include <cmath>

#include "display_state.h"
#include "report_decoder.h"
#include "test_support.h"
#include "windows1252.h"

namespace {

// The information field of a TNC2 line: everything after the first ':'.
QStringList InformationFields(const char* file) {
  QFile f(TestDataPath(file));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList fields;
  for (QByteArray line : f.readAll().split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const int colon = line.indexOf(':');
    if (colon >= 0) fields << FromWindows1252(line.mid(colon + 1));
  }
  return fields;
}

bool ShowsNoNumberFault(const QString& text) {
  return !text.contains(QLatin1String("nan"), Qt::CaseInsensitive) &&
         !text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

bool Finite(const DecodedValues& v) {
  for (float x : {v.WindSpeed, v.Gust, v.TempC, v.RainHour, v.RainDay, v.Rain24h, v.Pressure,
                  v.WindChill, v.DewPoint, v.AbsHumidity})
    if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace

class TestCorpus : public QObject {
  Q_OBJECT
 private slots:
  void everyReportDecodesCleanly_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("locale");
    for (const char* file : {"aprs-weather-cwop.txt", "aprs-weather-misc.txt"})
      for (const char* locale : {"C", "en_US", "it_IT"})
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(file, locale))) << file << locale;
  }
  void everyReportDecodesCleanly() {
    QFETCH(QString, file);
    QFETCH(QString, locale);
    const QStringList fields = InformationFields(qPrintable(file));
    QVERIFY(fields.size() > 100);
    ReportState state;
    DisplayState shown;
    int withWind = 0, withTemp = 0;
    for (const QString& info : fields) {
      const ReportOutcome out =
          DecodeWeatherReport(info, DefaultAlarmSettings(), state, QLocale(locale));
      state = out.after;
      ApplyReport(shown, out);
      // The comment is the station's own text and may well say "info".
      const QString all = shown.WxData.caption + shown.Temp.caption + shown.UR.caption +
                          shown.Press.caption + shown.Rain.caption;
      QVERIFY2(ShowsNoNumberFault(all), qPrintable(info));
      QVERIFY2(Finite(out.values), qPrintable(info));
      withWind += out.values.WindDir > -99;
      withTemp += out.values.TempC > -99;
    }
    // Nearly every report in these files carries wind and temperature.
    QVERIFY(withWind > fields.size() * 8 / 10);
    QVERIFY(withTemp > fields.size() * 8 / 10);
  }
};

QTEST_APPLESS_MAIN(TestCorpus)
#include "test_corpus.moc"
