#include <QtTest>

#include "chart_gaps.h"

namespace {

constexpr int64_t Minute = 60, Hour = 3600, Day = 24 * Hour;

// Points `step` apart from `start` up to `end` (not included).
std::vector<ChartPoint> Every(int64_t step, int64_t start, int64_t end) {
  std::vector<ChartPoint> points;
  for (int64_t t = start; t < end; t += step) points.push_back({t, double(t % 7)});
  return points;
}

std::vector<ChartPoint> Joined(std::vector<ChartPoint> a, const std::vector<ChartPoint>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Each run's first time.
QList<qint64> Starts(const std::vector<std::vector<ChartPoint>>& runs) {
  QList<qint64> starts;
  for (const auto& run : runs) starts << run.front().time;
  return starts;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<ChartPoint>)

class TestChartGaps : public QObject {
  Q_OBJECT
 private slots:
  void linesBreakWhereTheStationWasSilent_data() {
    QTest::addColumn<std::vector<ChartPoint>>("points");
    QTest::addColumn<qint64>("slice");
    QTest::addColumn<QList<qint64>>("starts");
    QTest::newRow("nothing, no line")
        << std::vector<ChartPoint>{} << qint64(Minute) << QList<qint64>{};
    QTest::newRow("one point") << std::vector<ChartPoint>{{100, 1}} << qint64(Minute)
                               << QList<qint64>{100};
    QTest::newRow("reports every 5 minutes, one line")
        << Every(5 * Minute, 0, Day) << qint64(2 * Minute) << QList<qint64>{0};
    QTest::newRow("two reports lost on the air are still joined")
        << Joined(Every(5 * Minute, 0, Hour), Every(5 * Minute, Hour + 10 * Minute, 2 * Hour))
        << qint64(2 * Minute) << QList<qint64>{0};
    QTest::newRow("an engine stopped for an hour breaks the line")
        << Joined(Every(5 * Minute, 0, 6 * Hour), Every(5 * Minute, 7 * Hour, 12 * Hour))
        << qint64(2 * Minute) << QList<qint64>{0, 7 * Hour};
    QTest::newRow("three days without reports in a week")
        << Joined(Every(Minute, 0, 2 * Day), Every(Minute, 5 * Day, 7 * Day)) << qint64(15 * Minute)
        << QList<qint64>{0, 5 * Day};
    QTest::newRow("slices wider than the reports' step join the slices")
        << Every(15 * Minute, 0, Day) << qint64(15 * Minute) << QList<qint64>{0};
    QTest::newRow("a station that reports every half hour is one line")
        << Every(30 * Minute, 0, Day) << qint64(2 * Minute) << QList<qint64>{0};
    QTest::newRow("two outages, three lines")
        << Joined(Joined(Every(Minute, 0, Hour), Every(Minute, 2 * Hour, 3 * Hour)),
                  Every(Minute, 5 * Hour, 6 * Hour))
        << qint64(Minute) << QList<qint64>{0, 2 * Hour, 5 * Hour};
  }
  void linesBreakWhereTheStationWasSilent() {
    QFETCH(std::vector<ChartPoint>, points);
    QFETCH(qint64, slice);
    QFETCH(QList<qint64>, starts);
    const auto runs = JoinedRuns(points, slice);
    QCOMPARE(Starts(runs), starts);
    size_t total = 0;
    for (const auto& run : runs) total += run.size();
    QCOMPARE(total, points.size());  // every point drawn, none twice
  }
};

QTEST_GUILESS_MAIN(TestChartGaps)
#include "test_chart_gaps.moc"
