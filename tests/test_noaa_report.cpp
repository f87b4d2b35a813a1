#include <QTemporaryDir>
#include <QtTest>

#include "compass_point.h"
#include "generated_month.h"
#include "noaa_report.h"
#include "summary_csv.h"
#include "test_support.h"

namespace {

const QTimeZone Rome("Europe/Rome");

// The text against its saved file; when they differ, the text is kept beside the build's
// temporary files for a diff.
void CompareWithFile(const QByteArray& text, const char* name) {
  const QByteArray expected = ReadAll(TestDataPath(name));
  if (text == expected) return;
  const QString kept = QDir::temp().filePath(QLatin1String(name));
  WriteAll(kept, text);
  QFAIL(qPrintable(QStringLiteral("%1 differs from the saved file; it is kept in %2")
                       .arg(QLatin1String(name), kept)));
}

}  // namespace

class TestNoaaReport : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    WriteGeneratedMonth(dir_.filePath("h.sqlite"));
    store_ = OpenHistory(dir_.filePath("h.sqlite")).store;
    QVERIFY(store_);
  }

  void degreeDays_data() {
    QTest::addColumn<UnitSystem>("units");
    QTest::addColumn<double>("meanC");
    QTest::addColumn<double>("heating");
    QTest::addColumn<double>("cooling");
    QTest::newRow("a cold day, metric") << UnitSystem::Metric << 10.0 << 8.3 << 0.0;
    QTest::newRow("a warm day, metric") << UnitSystem::Metric << 25.0 << 0.0 << 6.7;
    QTest::newRow("the base itself") << UnitSystem::Metric << 18.3 << 0.0 << 0.0;
    QTest::newRow("a cold day in F: 50 F") << UnitSystem::Imperial << 10.0 << 15.0 << 0.0;
    QTest::newRow("a warm day in F: 77 F") << UnitSystem::Imperial << 25.0 << 0.0 << 12.0;
    QTest::newRow("below freezing: 14 F") << UnitSystem::Imperial << -10.0 << 51.0 << 0.0;
  }
  void degreeDays() {
    QFETCH(UnitSystem, units);
    QFETCH(double, meanC);
    QFETCH(double, heating);
    QFETCH(double, cooling);
    QVERIFY(qAbs(HeatingDegreeDays(units, meanC) - heating) < 1e-9);
    QVERIFY(qAbs(CoolingDegreeDays(units, meanC) - cooling) < 1e-9);
  }

  // The dominant wind's column: each point covers the 22.5° centred on it.
  void compassPoints_data() {
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("point");
    QTest::newRow("north") << 0.0 << "N";
    QTest::newRow("just before north-north-east") << 11.24 << "N";
    QTest::newRow("north-north-east from its edge") << 11.25 << "NNE";
    QTest::newRow("south-south-west") << 202.5 << "SSW";
    QTest::newRow("north from the west side") << 348.75 << "N";
    QTest::newRow("almost a whole turn") << 359.9 << "N";
    QTest::newRow("a whole turn") << 360.0 << "N";
    QTest::newRow("north-north-west") << 337.4 << "NNW";
  }
  void compassPoints() {
    QFETCH(double, degrees);
    QFETCH(QString, point);
    QCOMPARE(QString::fromLatin1(CompassPoint(degrees)), point);
  }

  void generatedMonth_data() {
    QTest::addColumn<UnitSystem>("units");
    QTest::addColumn<QString>("file");
    QTest::newRow("metric") << UnitSystem::Metric << "noaa-month-metric.txt";
    QTest::newRow("imperial") << UnitSystem::Imperial << "noaa-month-imperial.txt";
  }
  void generatedMonth() {
    QFETCH(UnitSystem, units);
    QFETCH(QString, file);
    QString error;
    const auto month = SummariseMonth(*store_, "IW2XYZ", Rome, 2026, 10, error);
    QVERIFY2(month, qPrintable(error));
    CompareWithFile(NoaaMonthReport(*month, units, Rome), qPrintable(file));
  }

  void generatedYear() {
    QString error;
    const auto year = SummariseYear(*store_, "IW2XYZ", Rome, 2026, error);
    QVERIFY2(year, qPrintable(error));
    CompareWithFile(NoaaYearReport(*year, UnitSystem::Metric, Rome), "noaa-year-metric.txt");
  }

  void monthCsv() {
    QString error;
    const auto month = SummariseMonth(*store_, "IW2XYZ", Rome, 2026, 10, error);
    QVERIFY2(month, qPrintable(error));
    CompareWithFile(MonthCsv(*month, UnitSystem::Metric, Rome), "month-metric.csv");
    const QByteArray imperial = MonthCsv(*month, UnitSystem::Imperial, Rome);
    QVERIFY(imperial.startsWith(
        "date,temp_mean_f,temp_high_f,temp_high_time,temp_low_f,temp_low_time,heat_deg_days,"
        "cool_deg_days,rain_in,wind_mean_mph,gust_high_mph,gust_high_time,wind_dom_dir\n"));
  }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<HistoryStore> store_;
};

QTEST_GUILESS_MAIN(TestNoaaReport)
#include "test_noaa_report.moc"
