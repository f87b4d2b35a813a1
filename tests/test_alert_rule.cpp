#include <QtTest>
#include <vector>

#include "alert_rule.h"
#include "alert_text.h"

namespace {

enum class Do { Connect, Away, Report, Time };

// One thing that happens, `at` minutes after the start, and the alerts it must raise.
struct Step {
  double at;
  Do what;
  std::vector<AlarmTest> tests;  // with Report
  QStringList raised;
};

Step Connect(double at, QStringList raised = {}) {
  return {at, Do::Connect, {}, raised};
}
Step Away(double at) {
  return {at, Do::Away, {}, {}};
}
Step Time(double at, QStringList raised = {}) {
  return {at, Do::Time, {}, raised};
}
Step Report(double at, std::vector<AlarmTest> tests = {}, QStringList raised = {}) {
  return {at, Do::Report, tests, raised};
}

AlarmTest Beyond(AlarmQuantity q) {
  return {q, 1, 0, true};
}
AlarmTest Within(AlarmQuantity q) {
  return {q, 0, 1, false};
}

using Q = AlarmQuantity;
constexpr qint64 MinuteMs = 60000;

// "silent 30", "alarm temp-high", "engine-back".
QString Described(const Alert& a) {
  QString text = AlertEventName(a.kind);
  if (a.kind == AlertKind::Silent || a.kind == AlertKind::Heard || a.kind == AlertKind::EngineLost)
    text += QStringLiteral(" %1").arg(a.minutes);
  if (a.kind == AlertKind::Alarm || a.kind == AlertKind::AlarmCleared)
    text += QLatin1Char(' ') + AlarmQuantityName(a.alarm.quantity);
  return text;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<Step>)

class TestAlertRule : public QObject {
  Q_OBJECT
 private slots:
  void alerts_data() {
    QTest::addColumn<int>("silentAfter");
    QTest::addColumn<int>("engineAfter");
    QTest::addColumn<std::vector<Step>>("steps");
    QTest::newRow("a silence while connected is told once, then heard")
        << 30 << 5
        << std::vector<Step>{Connect(0),
                             Time(29.99),
                             Time(30, {"silent 30"}),
                             Time(90),
                             Report(95, {}, {"heard 95"}),
                             Time(124.99),
                             Time(125, {"silent 30"})};
    QTest::newRow("each report starts the silence again")
        << 30 << 5
        << std::vector<Step>{Connect(0), Report(10), Time(39.99), Time(40, {"silent 30"})};
    QTest::newRow("away from the engine: no silence, the engine lost and back")
        << 30 << 5 << std::vector<Step>{Connect(0),  Away(10),
                                        Time(14.99), Time(15, {"engine-lost 5"}),
                                        Time(50),    Connect(60, {"engine-back"}),
                                        Time(89.99), Time(90, {"silent 30"})};
    QTest::newRow("an engine away since the start is lost too")
        << 30 << 5
        << std::vector<Step>{Time(4.99), Time(5, {"engine-lost 5"}), Connect(7, {"engine-back"})};
    QTest::newRow("a short outage is not told")
        << 30 << 5 << std::vector<Step>{Connect(0), Away(1), Time(5.99), Connect(6)};
    QTest::newRow("a silence told stays told through an outage")
        << 30 << 5
        << std::vector<Step>{
               Connect(0), Time(30, {"silent 30"}),
               Away(31),   Connect(32),
               Time(70),   Report(80, {Beyond(Q::TempHigh)}, {"heard 80", "alarm temp-high"})};
    QTest::newRow("an alarm is raised on crossing and cleared once back")
        << 30 << 5
        << std::vector<Step>{Connect(0), Report(1, {Within(Q::TempHigh)}),
                             Report(2, {Beyond(Q::TempHigh)}, {"alarm temp-high"}),
                             Report(3, {Beyond(Q::TempHigh)}),
                             Report(4, {Within(Q::TempHigh)}, {"alarm-cleared temp-high"})};
    QTest::newRow("the first report raises what is beyond, clears nothing")
        << 30 << 5
        << std::vector<Step>{
               Connect(0),
               Report(1, {Beyond(Q::PressureLow), Within(Q::Wind)}, {"alarm pressure-low"}),
               Report(2, {Beyond(Q::PressureLow), Within(Q::Wind)})};
    QTest::newRow("several quantities at once, each on its own")
        << 30 << 5
        << std::vector<Step>{
               Connect(0),
               Report(1, {Beyond(Q::TempHigh), Beyond(Q::HumidityHigh), Beyond(Q::Gust)},
                      {"alarm temp-high", "alarm humidity-high", "alarm gust"}),
               Report(2, {Beyond(Q::TempHigh), Within(Q::HumidityHigh), Beyond(Q::Gust)},
                      {"alarm-cleared humidity-high"})};
    QTest::newRow("a reading the report lacks keeps its state")
        << 30 << 5
        << std::vector<Step>{Connect(0), Report(1, {Beyond(Q::RainHour)}, {"alarm rain-hour"}),
                             Report(2, {Within(Q::Rain24h)}),
                             Report(3, {Within(Q::RainHour)}, {"alarm-cleared rain-hour"})};
    QTest::newRow("a reconnection in the middle raises nothing again")
        << 30 << 5
        << std::vector<Step>{Connect(0),
                             Report(1, {Beyond(Q::Gust)}, {"alarm gust"}),
                             Away(2),
                             Connect(3),
                             Report(4, {Beyond(Q::Gust)}),
                             Report(5, {Within(Q::Gust)}, {"alarm-cleared gust"})};
    QTest::newRow("0 minutes turns either off")
        << 0 << 0
        << std::vector<Step>{Time(1000), Connect(1001), Time(5000), Away(5001), Time(9000)};
  }

  void alerts() {
    QFETCH(int, silentAfter);
    QFETCH(int, engineAfter);
    QFETCH(std::vector<Step>, steps);
    AlertRule rule({silentAfter, engineAfter, MinuteMs}, 0);
    for (const Step& step : steps) {
      const qint64 now = qRound64(step.at * MinuteMs);
      std::vector<Alert> alerts;
      switch (step.what) {
        case Do::Connect:
          alerts = rule.OnConnected(now);
          break;
        case Do::Away:
          rule.OnEngineAway(now);
          break;
        case Do::Report:
          alerts = rule.OnReport(now, step.tests);
          break;
        case Do::Time:
          alerts = rule.OnTime(now);
          break;
      }
      QStringList raised;
      for (const Alert& a : alerts) {
        QCOMPARE(a.timeMs, now);
        raised << Described(a);
      }
      QVERIFY2(
          raised == step.raised,
          qPrintable(
              QStringLiteral("at %1: %2").arg(step.at).arg(raised.join(QStringLiteral(", ")))));
    }
  }

  // The window arms one timer for the next alert: it must come due exactly then.
  void nextDueIsTheEarliestMoment() {
    AlertRule rule({30, 5, MinuteMs}, 0);
    QCOMPARE(rule.NextDueMs(), std::optional<qint64>(5 * MinuteMs));
    rule.OnConnected(2 * MinuteMs);
    rule.OnReport(10 * MinuteMs, {});
    QCOMPARE(rule.NextDueMs(), std::optional<qint64>(40 * MinuteMs));
    rule.SetTimes({20, 5, MinuteMs});
    QCOMPARE(rule.NextDueMs(), std::optional<qint64>(30 * MinuteMs));
    rule.OnTime(30 * MinuteMs);
    QCOMPARE(rule.NextDueMs(), std::nullopt);  // told: nothing timed until heard again
  }
};

QTEST_APPLESS_MAIN(TestAlertRule)
#include "test_alert_rule.moc"
