#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "climate_summary.h"
#include "history_store.h"
#include "reading_limits.h"
#include "weather_records.h"

namespace {

const QString Station = QStringLiteral("IW2XYZ");

// A report written as "2026-10-25T02:30:00+01:00 t=10 g=40": its time, then its readings by the
// short names below; a reading not named is absent.
HistoryRow Row(const QString& text) {
  static const QHash<QString, HistoryColumn> names = {
      {"t", HistoryColumn::TempC},       {"h", HistoryColumn::HumidityPct},
      {"p", HistoryColumn::PressureMb},  {"w", HistoryColumn::WindKmh},
      {"d", HistoryColumn::WindDir},     {"g", HistoryColumn::GustKmh},
      {"r", HistoryColumn::RainTodayMm}, {"r1", HistoryColumn::Rain1hMm}};
  const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
  HistoryRow row;
  row.time = QDateTime::fromString(parts.front(), Qt::ISODate).toSecsSinceEpoch();
  row.station = Station;
  row.info = text;
  for (const QString& part : parts.mid(1)) {
    const QStringList pair = part.split(u'=');
    row[names.value(pair[0])] = pair[1].toDouble();
  }
  return row;
}

class History {
 public:
  explicit History(const QStringList& rows) {
    store_ = OpenHistory(dir_.filePath(QStringLiteral("h.sqlite"))).store;
    QString error;
    for (const QString& text : rows)
      if (!store_ || !store_->Store(Row(text), error)) ok_ = false;
    // Another station's reports are never counted.
    HistoryRow other = Row(QStringLiteral("2026-01-01T12:00:00Z t=50 g=300 r=200 p=1080"));
    other.station = QStringLiteral("IK1ABC");
    if (!store_ || !store_->Store(other, error)) ok_ = false;
  }
  bool ok() const { return ok_; }
  HistoryStore& store() { return *store_; }
  QString path() const { return dir_.filePath(QStringLiteral("h.sqlite")); }
  // Closes the file, for other programs or another opening.
  void close() { store_.reset(); }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<HistoryStore> store_;
  bool ok_ = true;
};

QString Number(const std::optional<double>& v) {
  return v ? QString::number(*v) : QStringLiteral("-");
}

// An extreme as "12@2026-11-03T14:00:00+01:00"; `clock`: the time of day only.
QString Text(const std::optional<Extreme>& e, const QTimeZone& zone, bool clock = false) {
  if (!e) return QStringLiteral("-");
  const QString time = LocalIsoTime(e->time, zone);
  return QString::number(e->value) + u'@' + (clock ? time.mid(11) : time);
}

QString Text(const DaySummary& d, const QTimeZone& zone) {
  return QStringLiteral(
             "n=%1 temp %2 %3 mean %4 hum %5 %6 press %7 %8 wind %9 gust %10 dir %11 "
             "rain %12")
      .arg(d.reports)
      .arg(Text(d.tempHigh, zone, true), Text(d.tempLow, zone, true), Number(d.tempMean),
           Number(d.humidityHigh), Number(d.humidityLow), Number(d.pressureHigh),
           Number(d.pressureLow), Number(d.windMean))
      .arg(Text(d.gustHigh, zone, true), Number(d.windDomDir), Number(d.rainMm));
}

QString Text(const PeriodSummary& p, const QTimeZone& zone) {
  return QStringLiteral("temp %1 %2 mean %3 rain %4 in %5 days gust %6")
      .arg(Text(p.tempHigh, zone), Text(p.tempLow, zone), Number(p.tempMean), Number(p.rainMm))
      .arg(p.rainDays)
      .arg(Text(p.gustHigh, zone));
}

QString Text(const RecordSet& r, const QTimeZone& zone) {
  const QString rainDay =
      r.rainDayMm ? Number(r.rainDayMm) + u'@' + r.rainDayDate.toString(Qt::ISODate) : "-";
  return QStringLiteral("temp %1 %2 gust %3 rain day %4 hour %5 press %6 %7")
      .arg(Text(r.tempHigh, zone), Text(r.tempLow, zone), Text(r.gustHigh, zone), rainDay,
           Text(r.rainHour, zone), Text(r.pressureHigh, zone), Text(r.pressureLow, zone));
}

// What another program does to the file, with a connection of its own.
bool Execute(const QString& path, const QStringList& statements) {
  const QString name = QUuid::createUuid().toString();
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    ok = db.open();
    QSqlQuery q(db);
    for (const QString& sql : statements) ok = ok && q.exec(sql);
  }
  QSqlDatabase::removeDatabase(name);
  return ok;
}

// A month, every day and the total, as text.
QString MonthText(HistoryStore& store, const QTimeZone& zone, int year, int month) {
  QString error;
  const auto m = SummariseMonth(store, Station, zone, year, month, error);
  if (!m) return error;
  QStringList lines;
  for (const DaySummary& d : m->days) lines << Text(d, zone);
  return lines.join(u'\n') + u'\n' + Text(m->total, zone);
}

// Each day's number of reports, "1 0 2 ...".
QString ReportCounts(const std::vector<DaySummary>& days) {
  QStringList counts;
  for (const DaySummary& d : days) counts << QString::number(d.reports);
  return counts.join(u' ');
}

// The zone by its IANA id; a test skips where the system does not know it.
#define REQUIRE_ZONE(zone, id)          \
  const QTimeZone zone{QByteArray(id)}; \
  if (!zone.isValid()) QSKIP(qPrintable(QStringLiteral("no time zone %1 here").arg(id)))

}  // namespace

class TestClimateSummary : public QObject {
  Q_OBJECT
 private slots:
  void limits_data() {
    QTest::addColumn<HistoryColumn>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("plausible");
    using C = HistoryColumn;
    const struct {
      const char* name;
      C column;
      double value;
      bool plausible;
    } rows[] = {
        {"temp -60", C::TempC, -60, true},
        {"temp -60.1", C::TempC, -60.1, false},
        {"temp 60", C::TempC, 60, true},
        {"temp 60.1", C::TempC, 60.1, false},
        {"humidity 0", C::HumidityPct, 0, false},
        {"humidity 1", C::HumidityPct, 1, true},
        {"humidity 100", C::HumidityPct, 100, true},
        {"humidity 101", C::HumidityPct, 101, false},
        {"pressure 869.9", C::PressureMb, 869.9, false},
        {"pressure 870", C::PressureMb, 870, true},
        {"pressure 1090", C::PressureMb, 1090, true},
        {"pressure 1090.1", C::PressureMb, 1090.1, false},
        {"wind 400", C::WindKmh, 400, true},
        {"wind 400.1", C::WindKmh, 400.1, false},
        {"gust 400.1", C::GustKmh, 400.1, false},
        {"gust -1", C::GustKmh, -1, false},
        {"rain 1h 250", C::Rain1hMm, 250, true},
        {"rain 1h 250.1", C::Rain1hMm, 250.1, false},
        {"rain today: no limit", C::RainTodayMm, 9999, true},
    };
    for (const auto& r : rows) QTest::newRow(r.name) << r.column << r.value << r.plausible;
  }

  // The same limits in C++ and in the SQL that the summaries aggregate with.
  void limits() {
    QFETCH(HistoryColumn, column);
    QFETCH(double, value);
    QFETCH(bool, plausible);
    QCOMPARE(IsPlausible(column, value), plausible);
    HistoryRow row = Row(QStringLiteral("2026-06-01T12:00:00Z"));
    row[column] = value;
    QTemporaryDir dir;
    auto store = OpenHistory(dir.filePath(QStringLiteral("h.sqlite"))).store;
    QString error;
    QVERIFY(store && store->Store(row, error));
    const auto days = store->ReadDays(Station, {{row.time, row.time + 1}}, error);
    QVERIFY2(days, qPrintable(error));
    const DayReadings& d = days->front();
    const std::optional<double> seen = column == HistoryColumn::TempC         ? d.tempHigh
                                       : column == HistoryColumn::HumidityPct ? d.humidityHigh
                                       : column == HistoryColumn::PressureMb  ? d.pressureHigh
                                       : column == HistoryColumn::WindKmh     ? d.windMean
                                       : column == HistoryColumn::GustKmh     ? d.gustHigh
                                       : column == HistoryColumn::Rain1hMm    ? d.rainHourHigh
                                                                              : d.rainToday;
    QCOMPARE(seen.has_value(), plausible);
  }

  void day_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("hours");
    QTest::addColumn<QString>("expected");
    QTest::newRow("23 hours: clocks forward at 02:00")
        << QByteArray("Europe/Rome") << QDate(2026, 3, 29)
        << QStringList{"2026-03-28T23:59:59+01:00 t=30",
                       "2026-03-29T00:00:00+01:00 t=4 h=80 p=1010 w=10 d=90 g=20 r=0",
                       "2026-03-29T03:00:00+02:00 t=2 h=90 p=1008 w=20 d=90 g=30 r=1.5",
                       "2026-03-29T23:59:59+02:00 t=9 h=60 p=1012 w=0 d=90 g=30 r=0.3",
                       "2026-03-30T00:00:00+02:00 t=-10"}
        << 23
        << "n=3 temp 9@23:59:59+02:00 2@03:00:00+02:00 mean 5 hum 90 60 press 1012 1008 wind 10 "
           "gust 30@03:00:00+02:00 dir 90 rain 1.5";
    QTest::newRow("25 hours: 02:30 twice, the first of equal highs wins")
        << QByteArray("Europe/Rome") << QDate(2026, 10, 25)
        << QStringList{"2026-10-25T00:00:00+02:00 t=8 w=10 d=0",
                       "2026-10-25T02:30:00+02:00 t=11 w=10 d=90",
                       "2026-10-25T02:30:00+01:00 t=11 g=25", "2026-10-25T03:00:00+01:00 t=7 g=25",
                       "2026-10-25T23:59:59+01:00 t=7"}
        << 25
        << "n=5 temp 11@02:30:00+02:00 7@03:00:00+01:00 mean 8.8 hum - - press - - wind 10 "
           "gust 25@02:30:00+01:00 dir 45 rain -";
    QTest::newRow("no rain today: none, not 0, whatever the hour's rain")
        << QByteArray("Europe/Rome") << QDate(2026, 6, 1)
        << QStringList{"2026-06-01T10:00:00+02:00 t=20 r1=2", "2026-06-01T11:00:00+02:00 t=22"}
        << 24
        << "n=2 temp 22@11:00:00+02:00 20@10:00:00+02:00 mean 21 hum - - press - - wind - gust - "
           "dir - rain -";
    QTest::newRow("readings outside the limits left out")
        << QByteArray("Europe/Rome") << QDate(2026, 6, 2)
        << QStringList{"2026-06-02T10:00:00+02:00 t=61 h=0 p=1091 w=401 d=180 g=401",
                       "2026-06-02T11:00:00+02:00 t=20 h=50 p=1000 w=10 d=270 g=20",
                       "2026-06-02T12:00:00+02:00 t=-61 h=101 p=869 w=20 d=270 g=500"}
        << 24
        << "n=3 temp 20@11:00:00+02:00 20@11:00:00+02:00 mean 20 hum 50 50 press 1000 1000 "
           "wind 15 gust 20@11:00:00+02:00 dir 270 rain -";
    QTest::newRow("winds that cancel out: no direction")
        << QByteArray("Europe/Rome") << QDate(2026, 6, 3)
        << QStringList{"2026-06-03T10:00:00+02:00 w=10 d=90",
                       "2026-06-03T11:00:00+02:00 w=10 d=270", "2026-06-03T12:00:00+02:00 w=0 d=0"}
        << 24 << "n=3 temp - - mean - hum - - press - - wind 6.66667 gust - dir - rain -";
    QTest::newRow("direction weighted by speed")
        << QByteArray("Europe/Rome") << QDate(2026, 6, 4)
        << QStringList{"2026-06-04T10:00:00+02:00 w=30 d=350",
                       "2026-06-04T11:00:00+02:00 w=30 d=10",
                       "2026-06-04T12:00:00+02:00 w=30 d=270", "2026-06-04T13:00:00+02:00 w=0 d=90",
                       "2026-06-04T14:00:00+02:00 w=5"}
        << 24 << "n=5 temp - - mean - hum - - press - - wind 19 gust - dir 333.082 rain -";
    QTest::newRow("half-hour zone")
        << QByteArray("Asia/Kolkata") << QDate(2026, 6, 1)
        << QStringList{"2026-05-31T18:29:59Z t=40", "2026-05-31T18:30:00Z t=30",
                       "2026-06-01T18:29:59Z t=31", "2026-06-01T18:30:00Z t=20"}
        << 24
        << "n=2 temp 31@23:59:59+05:30 30@00:00:00+05:30 mean 30.5 hum - - "
           "press - - wind - gust - dir - rain -";
    QTest::newRow("a day that starts at 01:00")
        << QByteArray("America/Santiago") << QDate(2026, 9, 6)
        << QStringList{"2026-09-06T03:59:00Z t=1", "2026-09-06T04:00:00Z t=2",
                       "2026-09-07T02:59:00Z t=3", "2026-09-07T03:00:00Z t=4"}
        << 23
        << "n=2 temp 3@23:59:00-03:00 2@01:00:00-03:00 mean 2.5 hum - - "
           "press - - wind - gust - dir - rain -";
  }

  void day() {
    QFETCH(QByteArray, zone);
    QFETCH(QDate, date);
    QFETCH(QStringList, rows);
    QFETCH(int, hours);
    QFETCH(QString, expected);
    REQUIRE_ZONE(tz, zone);
    History history(rows);
    QVERIFY(history.ok());
    QString error;
    const auto day = SummariseDay(history.store(), Station, tz, date, error);
    QVERIFY2(day, qPrintable(error));
    QCOMPARE(day->date, date);
    QCOMPARE((day->end - day->start + 1800) / 3600, hours);
    QCOMPARE(Text(*day, tz), expected);
  }

  void month_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("total");
    QTest::newRow("days missing, rain days from 0.2 mm")
        << 2026 << 11 << QStringList{"2026-10-31T23:59:59+01:00 t=30 r=9",
                                     "2026-11-01T00:00:00+01:00 t=10 g=30 r=0.1",
                                     "2026-11-01T12:00:00+01:00 t=14 g=40 r=0.1",
                                     "2026-11-03T08:00:00+01:00 t=2 g=40 r=0.2",
                                     "2026-11-03T09:00:00+01:00 t=2 r=5",
                                     "2026-11-30T23:59:59+01:00 t=14",
                                     "2026-12-01T00:00:00+01:00 t=-5 g=90 r=20"}
        << "2 0 2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1"
        << "temp 14@2026-11-01T12:00:00+01:00 2@2026-11-03T08:00:00+01:00 mean 9.33333 "
           "rain 5.1 in 1 days gust 40@2026-11-01T12:00:00+01:00";
    QTest::newRow("no rain reported: none, not 0")
        << 2026 << 7
        << QStringList{"2026-07-10T12:00:00+02:00 t=30", "2026-07-11T12:00:00+02:00 t=31"}
        << "0 0 0 0 0 0 0 0 0 1 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"
        << "temp 31@2026-07-11T12:00:00+02:00 30@2026-07-10T12:00:00+02:00 mean 30.5 rain - in 0 "
           "days gust -";
    QTest::newRow("February of a leap year")
        << 2028 << 2
        << QStringList{"2028-02-01T00:00:00+01:00 t=1 r=0", "2028-02-29T23:59:59+01:00 t=3 r=1",
                       "2028-03-01T00:00:00+01:00 t=9 r=4"}
        << "1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1"
        << "temp 3@2028-02-29T23:59:59+01:00 1@2028-02-01T00:00:00+01:00 mean 2 rain 1 in 1 days "
           "gust -";
    QTest::newRow("an empty month")
        << 2027 << 2 << QStringList{} << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"
        << "temp - - mean - rain - in 0 days gust -";
    QTest::newRow("equal highs on two days: the first day's")
        << 2026 << 5
        << QStringList{"2026-05-02T15:00:00+02:00 t=25 g=50", "2026-05-04T09:00:00+02:00 t=25 g=50",
                       "2026-05-04T10:00:00+02:00 t=5"}
        << "0 1 0 2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"
        << "temp 25@2026-05-02T15:00:00+02:00 5@2026-05-04T10:00:00+02:00 mean 20 rain - in 0 "
           "days gust 50@2026-05-02T15:00:00+02:00";
  }

  void month() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QStringList, rows);
    QFETCH(QString, counts);
    QFETCH(QString, total);
    REQUIRE_ZONE(zone, "Europe/Rome");
    History history(rows);
    QVERIFY(history.ok());
    QString error;
    const auto m = SummariseMonth(history.store(), Station, zone, year, month, error);
    QVERIFY2(m, qPrintable(error));
    QCOMPARE(m->timezone, QStringLiteral("Europe/Rome"));
    QCOMPARE(m->days.front().date, QDate(year, month, 1));
    QCOMPARE(ReportCounts(m->days), counts);
    for (const DaySummary& d : m->days)
      if (d.reports == 0)
        QCOMPARE(Text(d, zone),
                 QStringLiteral("n=0 temp - - mean - hum - - press - - wind - gust - "
                                "dir - rain -"));
    QCOMPARE(Text(m->total, zone), total);
  }

  // The first and the last second of a local year, which are not those of the UTC year.
  void year() {
    REQUIRE_ZONE(zone, "Europe/Rome");
    History history(
        {"2025-12-31T23:59:59+01:00 t=-20 r=50", "2026-01-01T00:00:00+01:00 t=-3 r=1",
         "2026-06-15T12:00:00+02:00 t=33 g=70 r=0.2", "2026-06-16T12:00:00+02:00 t=31 r=0.1",
         "2026-12-31T23:59:59+01:00 t=-4 g=70 r=2", "2027-01-01T00:00:00+01:00 t=40 r=80"});
    QVERIFY(history.ok());
    QString error;
    const auto y = SummariseYear(history.store(), Station, zone, 2026, error);
    QVERIFY2(y, qPrintable(error));
    QCOMPARE(y->months.size(), size_t(12));
    QStringList days, totals;
    for (const MonthSummary& m : y->months) {
      days << QString::number(m.days.size());
      totals << QStringLiteral("%1: %2").arg(m.month).arg(Text(m.total, zone));
    }
    QCOMPARE(days.join(u' '), QStringLiteral("31 28 31 30 31 30 31 31 30 31 30 31"));
    QCOMPARE(y->months[0].days[0].reports, int64_t(1));
    QCOMPARE(y->months[11].days[30].reports, int64_t(1));
    QCOMPARE(totals[0], QStringLiteral("1: temp -3@2026-01-01T00:00:00+01:00 "
                                       "-3@2026-01-01T00:00:00+01:00 mean -3 rain 1 in 1 days "
                                       "gust -"));
    QCOMPARE(totals[5], QStringLiteral("6: temp 33@2026-06-15T12:00:00+02:00 "
                                       "31@2026-06-16T12:00:00+02:00 mean 32 rain 0.3 in 1 days "
                                       "gust 70@2026-06-15T12:00:00+02:00"));
    QCOMPARE(totals[1], QStringLiteral("2: temp - - mean - rain - in 0 days gust -"));
    QCOMPARE(Text(y->total, zone),
             QStringLiteral("temp 33@2026-06-15T12:00:00+02:00 -4@2026-12-31T23:59:59+01:00 "
                            "mean 14.25 rain 3.3 in 3 days gust 70@2026-06-15T12:00:00+02:00"));
  }

  void records_data() {
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QString>("expected");
    QTest::newRow("today")
        << "today"
        << "temp 12@2026-11-15T10:00:00+01:00 8@2026-11-15T07:00:00+01:00 gust - "
           "rain day 0@2026-11-15 hour - press 1001@2026-11-15T07:00:00+01:00 "
           "995@2026-11-15T10:00:00+01:00";
    QTest::newRow("yesterday") << "yesterday"
                               << "temp 10@2026-11-14T00:00:00+01:00 10@2026-11-14T00:00:00+01:00 "
                                  "gust 45@2026-11-14T00:00:00+01:00 rain day - hour - press "
                                  "1030@2026-11-14T00:00:00+01:00 1030@2026-11-14T00:00:00+01:00";
    QTest::newRow("month") << "month"
                           << "temp 20@2026-11-03T14:00:00+01:00 8@2026-11-15T07:00:00+01:00 gust "
                              "45@2026-11-14T00:00:00+01:00 rain day 12@2026-11-03 hour "
                              "8@2026-11-03T13:00:00+01:00 press 1030@2026-11-14T00:00:00+01:00 "
                              "995@2026-11-15T10:00:00+01:00";
    QTest::newRow("year") << "year"
                          << "temp 20@2026-11-03T14:00:00+01:00 -5@2026-02-10T06:00:00+01:00 gust "
                             "90@2026-02-10T06:00:00+01:00 rain day 12@2026-11-03 hour "
                             "8@2026-11-03T13:00:00+01:00 press 1030@2026-11-14T00:00:00+01:00 "
                             "995@2026-11-15T10:00:00+01:00";
    QTest::newRow("all") << "all"
                         << "temp 38@2025-07-01T16:00:00+02:00 -5@2026-02-10T06:00:00+01:00 gust "
                            "90@2026-02-10T06:00:00+01:00 rain day 30@2025-07-01 hour "
                            "8@2026-11-03T13:00:00+01:00 press 1030@2026-11-14T00:00:00+01:00 "
                            "980@2025-07-01T16:00:00+02:00";
  }

  void records() {
    QFETCH(QString, scope);
    QFETCH(QString, expected);
    REQUIRE_ZONE(zone, "Europe/Rome");
    History history(
        {"2025-07-01T16:00:00+02:00 t=38 p=980 r=30 r1=300",
         "2026-02-10T06:00:00+01:00 t=-5 g=90 p=1020",
         "2026-02-10T07:00:00+01:00 t=-70 g=450 p=860", "2026-11-03T13:00:00+01:00 t=19 r=4 r1=8",
         "2026-11-03T14:00:00+01:00 t=20 r=12 r1=8", "2026-11-14T00:00:00+01:00 t=10 g=45 p=1030",
         "2026-11-15T07:00:00+01:00 t=8 p=1001 r=0", "2026-11-15T10:00:00+01:00 t=12 p=995",
         "2026-11-15T11:00:00+01:00 t=12 p=999 h=0",
         "2026-11-15T12:00:00+01:00 t=61 p=1100 g=401"});
    QVERIFY(history.ok());
    QString error;
    const auto r = SummariseRecords(history.store(), Station, zone, QDate(2026, 11, 15), error);
    QVERIFY2(r, qPrintable(error));
    QCOMPARE(r->asOf, QDate(2026, 11, 15));
    const QHash<QString, const RecordSet*> scopes = {{"today", &r->today},
                                                     {"yesterday", &r->yesterday},
                                                     {"month", &r->month},
                                                     {"year", &r->year},
                                                     {"all", &r->all}};
    QCOMPARE(Text(*scopes.value(scope), zone), expected);
  }

  void recordsOfAStationWithoutReports() {
    REQUIRE_ZONE(zone, "Europe/Rome");
    History history({});
    QString error;
    const auto r = SummariseRecords(history.store(), QStringLiteral("IZ9ZZZ"), zone,
                                    QDate(2026, 11, 15), error);
    QVERIFY2(r, qPrintable(error));
    QCOMPARE(Text(r->all, zone), QStringLiteral("temp - - gust - rain day - hour - press - -"));
  }

  // The days come from a summary by the quarter hour that is derived from the reports: the same
  // from the reports alone (a file of an earlier Ventora, only read), made again when missing,
  // and following reports changed or deleted by other programs.
  void derivedSummaryFollowsTheReports() {
    REQUIRE_ZONE(zone, "Europe/Rome");
    History history({"2026-11-01T00:00:00+01:00 t=10 g=30 r=0.1 w=5 d=10 p=1000 h=50",
                     "2026-11-01T00:14:59+01:00 t=14 g=40 r=0.3 w=8 d=350 p=1001 h=60 r1=1",
                     "2026-11-01T12:00:00+01:00 t=14 g=70 r=0.5 w=9 d=90 p=990 h=40",
                     "2026-11-03T08:00:00+01:00 t=2 g=401 r=0.2 w=1 d=180 p=2000 h=0",
                     "2026-11-30T23:59:59+01:00 t=-3 w=3 d=270"});
    QVERIFY(history.ok());
    const QString expected = MonthText(history.store(), zone, 2026, 11);
    QVERIFY2(
        expected.startsWith(QStringLiteral(
            "n=3 temp 14@00:14:59+01:00 10@00:00:00+01:00 mean 12.6667 hum 60 40 press 1001 990 "
            "wind 7.33333 gust 70@12:00:00+01:00 dir 33.")),
        qPrintable(expected));
    history.close();
    const QString path = history.path();
    QVERIFY(Execute(path, {"DROP TABLE reports_quarters", "DROP TABLE wind_sines"}));
    auto readOnly = OpenHistory(path, {HistoryAccess::ReadOnly}).store;
    QVERIFY(readOnly);
    QCOMPARE(MonthText(*readOnly, zone, 2026, 11), expected);
    readOnly.reset();
    auto store = OpenHistory(path).store;
    QVERIFY(store);
    QCOMPARE(MonthText(*store, zone, 2026, 11), expected);
    QVERIFY(Execute(path, {"UPDATE reports SET temp_c = 15 WHERE temp_c = 10",
                           "DELETE FROM reports WHERE temp_c = -3"}));
    QString changed = expected;
    changed.replace(QStringLiteral("14@00:14:59+01:00 10@00:00:00+01:00 mean 12.6667"),
                    QStringLiteral("15@00:00:00+01:00 14@00:14:59+01:00 mean 14.3333"));
    changed.replace(QStringLiteral("n=1 temp -3@23:59:59+01:00 -3@23:59:59+01:00 mean -3 hum - - "
                                   "press - - wind 3 gust - dir 270 rain -"),
                    QStringLiteral("n=0 temp - - mean - hum - - press - - wind - gust - dir - "
                                   "rain -"));
    changed = changed.left(changed.lastIndexOf(u'\n') + 1) +
              QStringLiteral(
                  "temp 15@2026-11-01T00:00:00+01:00 2@2026-11-03T08:00:00+01:00 "
                  "mean 8.16667 rain 0.7 in 2 days gust 70@2026-11-01T12:00:00+01:00");
    QCOMPARE(MonthText(*store, zone, 2026, 11), changed);
  }

  void localTimes_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("summer") << QByteArray("Europe/Rome") << qint64(1792888200)
                            << "2026-10-25T02:30:00+02:00";
    QTest::newRow("winter") << QByteArray("Europe/Rome") << qint64(1792891800)
                            << "2026-10-25T02:30:00+01:00";
    QTest::newRow("offset 0") << QByteArray("Europe/London") << qint64(1792891800)
                              << "2026-10-25T01:30:00+00:00";
    QTest::newRow("west") << QByteArray("America/Santiago") << qint64(1792891800)
                          << "2026-10-24T22:30:00-03:00";
    QTest::newRow("half hour") << QByteArray("Asia/Kolkata") << qint64(1792891800)
                               << "2026-10-25T07:00:00+05:30";
  }

  void localTimes() {
    QFETCH(QByteArray, zone);
    QFETCH(qint64, time);
    QFETCH(QString, expected);
    REQUIRE_ZONE(tz, zone);
    QCOMPARE(LocalIsoTime(time, tz), expected);
  }
};

QTEST_GUILESS_MAIN(TestClimateSummary)
#include "test_climate_summary.moc"
