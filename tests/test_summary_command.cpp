#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "generated_month.h"
#include "test_support.h"
#include "unit_system.h"

namespace {

struct Run {
  QByteArray out, err;
  int exitCode = -1;
};

// `ventora-cli summary` of IW2XYZ in Rome's time zone.
Run RunSummary(const QStringList& args) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TZ", "Europe/Rome");
  QProcess cli;
  cli.setProcessEnvironment(env);
  cli.start(QStringLiteral(VENTORA_CLI), QStringList{"summary"} + args);
  cli.waitForFinished(60000);
  return {cli.readAllStandardOutput(), cli.readAllStandardError(), cli.exitCode()};
}

// The value at a path of names and indexes: "days.11", "total".
QJsonValue At(QJsonValue value, const QString& path) {
  for (const QString& step : path.split('.', Qt::SkipEmptyParts)) {
    bool index = false;
    const int i = step.toInt(&index);
    value = index ? value.toArray().at(i) : value.toObject().value(step);
  }
  return value;
}

// Where the object at `path` begins in the text: after its name, or its index's "{" (the
// objects of an array hold no objects).
qsizetype StartOf(const QByteArray& text, const QString& path) {
  qsizetype at = 0;
  for (const QString& step : path.split('.', Qt::SkipEmptyParts)) {
    bool index = false;
    const int i = step.toInt(&index);
    if (!index) at = text.indexOf('"' + step.toUtf8() + "\":", at);
    for (int k = 0; index && k <= i; ++k) at = text.indexOf('{', at + 1);
  }
  return at;
}

const QString DayNames =
    "date reports temp_high_c temp_high_time temp_low_c temp_low_time temp_mean_c "
    "humidity_high_pct humidity_low_pct pressure_high_mb pressure_low_mb wind_mean_kmh "
    "gust_high_kmh gust_high_time wind_dom_dir rain_mm";
const QString DayValueNames = QString(DayNames).remove("date reports ");
const QString TotalNames =
    "temp_high_c temp_high_time temp_low_c temp_low_time temp_mean_c rain_mm rain_days "
    "gust_high_kmh gust_high_time";
const QString RecordNames =
    "temp_high_c temp_high_time temp_low_c temp_low_time gust_high_kmh gust_high_time "
    "rain_day_mm rain_day_date rain_hour_mm rain_hour_time pressure_high_mb pressure_high_time "
    "pressure_low_mb pressure_low_time";

}  // namespace

class TestSummaryCommand : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    WriteGeneratedMonth(File());
  }

  // Each object's names in their order, and which are null: no reading is ever a 0.
  void jsonNamesAndNulls_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("nulls");
    const QStringList day{"--day", "2026-10-25"}, month{"--month", "2026-10"};
    const QStringList records{"--records", "--today", "2026-10-13"};
    QTest::newRow("a day of 25 hours") << day << "" << DayNames << "";
    QTest::newRow("a silent day") << QStringList{"--day", "2026-10-12"} << "" << DayNames
                                  << DayValueNames;
    QTest::newRow("a day in imperial units")
        << day + QStringList{"--units", "imperial"} << ""
        << "date reports temp_high_f temp_high_time temp_low_f temp_low_time temp_mean_f "
           "humidity_high_pct humidity_low_pct pressure_high_inhg pressure_low_inhg "
           "wind_mean_mph gust_high_mph gust_high_time wind_dom_dir rain_in"
        << "";
    QTest::newRow("a month") << month << ""
                             << "station month timezone days total"
                             << "";
    QTest::newRow("a month's silent day") << month << "days.12" << DayNames << DayValueNames;
    QTest::newRow("a month's total") << month << "total" << TotalNames << "";
    QTest::newRow("a year") << QStringList{"--year", "2026"} << ""
                            << "station year timezone months total"
                            << "";
    QTest::newRow("a month of the year without reports")
        << QStringList{"--year", "2026"} << "months.0"
        << "month " + TotalNames << QString(TotalNames).remove(" rain_days");
    QTest::newRow("the records") << records << ""
                                 << "station timezone today yesterday month year all"
                                 << "";
    QTest::newRow("the records of a silent day")
        << records << "today" << RecordNames << RecordNames;
    QTest::newRow("the records of the month") << records << "month" << RecordNames << "";
  }
  void jsonNamesAndNulls() {
    SkipWithoutTz();
    QFETCH(QStringList, args);
    QFETCH(QString, path);
    QFETCH(QString, names);
    QFETCH(QString, nulls);
    const Run run = RunSummary(QStringList{"--station", "IW2XYZ", "--file", File()} + args);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.endsWith("}\n") && run.out.count('\n') == 1);
    const QJsonObject object = At(QJsonDocument::fromJson(run.out).object(), path).toObject();
    QCOMPARE(object.keys().join(' '), SortedWords(names));  // QJsonObject sorts its keys
    QCOMPARE(NamesOrder(run.out.mid(StartOf(run.out, path)), object.keys()), names);
    QStringList null;
    for (const QString& key : object.keys())
      if (object[key].isNull()) null << key;
    QCOMPARE(null.join(' '), SortedWords(nulls));
  }

  // The values are the stored numbers, unrounded, at local times with their offset.
  void valuesAreTheStoredOnes() {
    SkipWithoutTz();
    const QStringList day{"--station", "IW2XYZ", "--file", File(), "--day", "2026-10-25"};
    const QJsonObject metric = QJsonDocument::fromJson(RunSummary(day).out).object();
    const QJsonObject imperial =
        QJsonDocument::fromJson(RunSummary(day + QStringList{"--units", "imperial"}).out).object();
    auto store = OpenHistory(File()).store;
    QVERIFY(store);
    QString error;
    // 2026-10-25T00:00:00+02:00 up to 2026-10-26T00:00:00+01:00
    const auto rows = store->Read({"IW2XYZ", 1792879200, 1792969199}, error);
    QVERIFY(rows);
    double sum = 0, high = -100;
    for (const HistoryRow& row : *rows) {
      sum += *row[HistoryColumn::TempC];
      high = std::max(high, *row[HistoryColumn::TempC]);
    }
    QCOMPARE(metric["reports"].toInt(), 150);
    QVERIFY(metric["temp_high_c"].toDouble() == high);  // exactly: QCOMPARE is fuzzy
    QVERIFY(qAbs(metric["temp_mean_c"].toDouble() - sum / 150) < 1e-12);
    QVERIFY(imperial["temp_high_f"].toDouble() ==
            ToShown(UnitSystem::Imperial, Quantity::Temperature, high));
    QCOMPARE(metric["temp_high_time"].toString(), "2026-10-25T14:50:00+01:00");
    QCOMPARE(metric["temp_low_time"].toString(), "2026-10-25T03:20:00+01:00");
    const QJsonObject month =
        QJsonDocument::fromJson(
            RunSummary({"--station", "IW2XYZ", "--file", File(), "--month", "2026-10"}).out)
            .object();
    QCOMPARE(month["month"].toString(), "2026-10");
    QCOMPARE(month["timezone"].toString(), "Europe/Rome");
    QCOMPARE(month["days"].toArray().size(), 31);
    QCOMPARE(month["total"]["temp_high_time"].toString(), "2026-10-02T16:30:00+02:00");
  }

  void textsOfTheMonth_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("the NOAA month, as saved")
        << QStringList{"--month", "2026-10", "--format", "noaa"}
        << ReadAll(TestDataPath("noaa-month-metric.txt"));
    QTest::newRow("a day as text") << QStringList{"--day", "2026-10-25", "--format", "text"}
                                   << QByteArray(
                                          "IW2XYZ, 2026-10-25 (Europe/Rome)\n"
                                          "  Reports               150\n"
                                          "  Highest temperature   16.1 \xC2\xB0"
                                          "C at 14:50\n");
  }
  void textsOfTheMonth() {
    SkipWithoutTz();
    QFETCH(QStringList, args);
    QFETCH(QByteArray, text);
    const Run run = RunSummary(QStringList{"--station", "iw2xyz", "--file", File()} + args);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(text), run.out.constData());
  }

  void faultsAreSaidWithExitCodeTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said");
    const QStringList known{"--station", "IW2XYZ", "--file", "@FILE@"};
    QTest::newRow("no such station")
        << QStringList{"--station", "IZ9ZZZ", "--file", "@FILE@", "--month", "2026-10"}
        << "no reports of IZ9ZZZ in";
    QTest::newRow("no such file") << QStringList{"--station", "IW2XYZ",
                                                 "--file",    "@DIR@/missing.sqlite",
                                                 "--year",    "2026"}
                                  << "missing.sqlite: no such file";
    QTest::newRow("a day that is not")
        << known + QStringList{"--day", "2026-02-30"} << "--day takes YYYY-MM-DD, not 2026-02-30";
    QTest::newRow("a month that is not")
        << known + QStringList{"--month", "2026-13"} << "--month takes YYYY-MM, not 2026-13";
    QTest::newRow("a month without its zero")
        << known + QStringList{"--month", "2026-1"} << "--month takes YYYY-MM, not 2026-1";
    QTest::newRow("a year of two digits")
        << known + QStringList{"--year", "26"} << "--year takes YYYY, not 26";
    QTest::newRow("a day and a month")
        << known + QStringList{"--day", "2026-10-01", "--month", "2026-10"}
        << "give one of --day, --month, --year and --records";
    QTest::newRow("the records and a year") << known + QStringList{"--records", "--year", "2026"}
                                            << "give one of --day, --month, --year and --records";
    QTest::newRow("no period") << known << "summary needs --day, --month, --year or --records";
    QTest::newRow("no station") << QStringList{"--month", "2026-10"}
                                << "summary needs --station CALL";
    QTest::newRow("NOAA text of a day")
        << known + QStringList{"--day", "2026-10-01", "--format", "noaa"}
        << "--format noaa is for --month and --year";
    QTest::newRow("NOAA text of the records")
        << known + QStringList{"--records", "--format", "noaa"}
        << "--format noaa is for --month and --year";
    QTest::newRow("a format that is not")
        << known + QStringList{"--year", "2026", "--format", "xml"}
        << "--format takes json, text or noaa, not xml";
    QTest::newRow("units that are not")
        << known + QStringList{"--year", "2026", "--units", "kelvin"}
        << "--units takes metric or imperial, not kelvin";
    QTest::newRow("an unknown option")
        << known + QStringList{"--week", "3"} << "unknown option --week";
  }
  void faultsAreSaidWithExitCodeTwo() {
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    args.replaceInStrings("@FILE@", File()).replaceInStrings("@DIR@", dir_.path());
    const Run run = RunSummary(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("ventora-cli: ") && run.err.contains(said.toUtf8()),
             run.err.constData());
    QVERIFY(run.out.isEmpty());
  }

 private:
  QString File() const { return dir_.filePath("h.sqlite"); }

  static void SkipWithoutTz() {
#ifdef Q_OS_WIN
    QSKIP("the time zone of a Windows program is the system's, not TZ");
#endif
  }
  static QString SortedWords(const QString& words) {
    QStringList list = words.split(' ', Qt::SkipEmptyParts);
    list.sort();
    return list.join(' ');
  }
  // `keys` in the order the text names them.
  static QString NamesOrder(const QByteArray& text, QStringList keys) {
    std::sort(keys.begin(), keys.end(), [&](const QString& a, const QString& b) {
      return text.indexOf('"' + a.toUtf8() + "\":") < text.indexOf('"' + b.toUtf8() + "\":");
    });
    return keys.join(' ');
  }

  QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestSummaryCommand)
#include "test_summary_command.moc"
