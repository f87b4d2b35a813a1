#include <QtTest>

#include "display_state.h"
#include "test_support.h"

namespace {

const QString Full = QStringLiteral("_220/004g005t077h50b10132");

ReportOutcome Report(DisplayState& shown, const QString& text) {
  return OnReport(shown, text, DefaultAlarmSettings(), QLocale::c());
}

}  // namespace

// The one state machine both the window and `ventora-cli monitor` render.
class TestDisplayState : public QObject {
  Q_OBJECT
 private slots:
  void connectionResetsValuesButKeepsCompassAndComment() {
    DisplayState shown;
    Report(shown, Full);
    shown.WxComment = QStringLiteral("AGWPE v2000.15");
    OnConnected(shown, QStringLiteral("IW2XYZ"));
    QCOMPARE(shown.Caption, QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(shown.tooltip, shown.Caption);
    QCOMPARE(shown.WxData.caption, QStringLiteral("Ventora v5"));
    for (const ShownLabel* label : {&shown.Temp, &shown.UR, &shown.Press, &shown.Rain})
      QVERIFY(label->caption.isEmpty());
    QCOMPARE(shown.trends, (std::array<std::optional<Trend>, 3>{}));
    QVERIFY(shown.compass);  // the compass keeps its last figure
    QCOMPARE(shown.WxComment, QStringLiteral("AGWPE v2000.15"));
    QVERIFY(!shown.report.HavePrevious);
    // The first report after a reconnection draws no trend arrow.
    Report(shown, Full);
    QCOMPARE(shown.trends, (std::array<std::optional<Trend>, 3>{}));
  }

  // A connection the reconnect schedule made is no news: the readings, the minute counter and
  // the comparison stay until a report replaces them. With nothing shown yet, the usual start.
  void scheduledConnectionKeepsTheReadings() {
    DisplayState shown;
    Report(shown, Full);
    OnTick(shown);
    const DisplayState before = shown;
    shown.tooltip = QStringLiteral("IW2XYZ: AGWPE assente dal 09/12 13:59");
    OnConnected(shown, QStringLiteral("IW2XYZ"), ConnectedBy::Schedule);
    QCOMPARE(shown.Caption, QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(shown.tooltip, shown.Caption);
    for (const auto label : {&DisplayState::WxData, &DisplayState::Temp, &DisplayState::UR,
                             &DisplayState::Press, &DisplayState::Rain})
      QCOMPARE((shown.*label).caption, (before.*label).caption);
    QCOMPARE(shown.Elapsed, QStringLiteral("01"));
    QCOMPARE(shown.MinutesSinceReport, int16_t(1));
    QVERIFY(shown.report.HavePrevious);
    DisplayState fresh;
    OnTick(fresh);
    OnConnected(fresh, QStringLiteral("IW2XYZ"), ConnectedBy::Schedule);
    QCOMPARE(fresh.WxData.caption, QStringLiteral("Ventora v5"));
    QCOMPARE(fresh.Elapsed, QStringLiteral("00"));
  }

  void tickOpensTheGateAndCountsToNinetyNine() {
    DisplayState shown;
    Report(shown, Full);
    QVERIFY(!shown.report.AcceptReport);
    OnTick(shown);
    QVERIFY(shown.report.AcceptReport);
    QCOMPARE(shown.Elapsed, QStringLiteral("01"));
    for (int i = 0; i < 200; ++i) OnTick(shown);
    QCOMPARE(shown.MinutesSinceReport, int16_t(99));
    QCOMPARE(shown.Elapsed, QStringLiteral("99"));
    Report(shown, QStringLiteral("_.../...t080"));  // no direction: the gate stays open
    QCOMPARE(shown.Elapsed, QStringLiteral("00"));
    QVERIFY(shown.report.AcceptReport);
  }

  void tooltipRepeatsWhatTheConnectionLeft() {
    DisplayState shown;
    OnConnected(shown, QStringLiteral("IW2XYZ"));
    Report(shown, QStringLiteral("_.../...h50"));
    QCOMPARE(shown.tooltip, QStringLiteral("IW2XYZ Ventora v5  50%  "));
  }

  // Other units show the last report again: its captions, rain text and tooltip as the same
  // report decoded under the new settings gives them. The gate, the counter, the arrows, the
  // colours and the readings the next report compares with stay as they are.
  void lastReportShownAgainInOtherUnits() {
    const QString hot = QStringLiteral("_220/004g005t110r010p020h40b10100v-03");  // 43.3 C: alarm
    DisplayState shown;
    Report(shown, Full);
    DisplayState expected = shown;
    Report(shown, hot);
    OnTick(shown);
    const DisplayState ticked = shown;
    Settings imperial = DefaultAlarmSettings();
    imperial.Units = UnitSystem::Imperial;
    imperial.HiTemp = 50;  // the same report would not be in alarm now
    OnReport(expected, hot, imperial, QLocale::c());
    ReshowLastReport(shown, imperial, QLocale::c());
    for (const auto label : {&DisplayState::WxData, &DisplayState::Temp, &DisplayState::UR,
                             &DisplayState::Press, &DisplayState::Rain}) {
      QCOMPARE((shown.*label).caption, (expected.*label).caption);
      QCOMPARE((shown.*label).colour, (ticked.*label).colour);
    }
    QCOMPARE(shown.Temp.colour, LabelColour::Alarm);
    QCOMPARE(shown.tooltip, expected.tooltip);
    QCOMPARE(shown.WxComment, expected.WxComment);                    // the pressure change in inHg
    QCOMPARE(shown.report.TempCaption, expected.report.TempCaption);  // for later tooltips
    QCOMPARE(shown.RainFontPt, expected.RainFontPt);
    QCOMPARE(shown.trends, ticked.trends);
    QCOMPARE(shown.MinutesSinceReport, int16_t(1));
    QVERIFY(shown.report.AcceptReport);
    QCOMPARE(shown.report.PrevTemp, ticked.report.PrevTemp);
    // A status line written since the report is no comment of it, and stays.
    shown.WxComment = QStringLiteral("Riprovo AGWPE ore 12:00");
    ReshowLastReport(shown, DefaultAlarmSettings(), QLocale::c());
    QCOMPARE(shown.WxComment, QStringLiteral("Riprovo AGWPE ore 12:00"));
    // A new connection cleared the values: there is nothing to show again.
    OnConnected(shown, QStringLiteral("IW2XYZ"));
    ReshowLastReport(shown, imperial, QLocale::c());
    QVERIFY(shown.Temp.caption.isEmpty() && shown.Rain.caption.isEmpty());
    QCOMPARE(shown.tooltip, shown.Caption);
  }

  void zeroBarometerNeitherShowsNorMovesThePressure() {
    DisplayState shown;
    Report(shown, Full);
    Report(shown, QStringLiteral("_220/004g005t077h50b10140"));
    QCOMPARE(shown.trends[PressureTrend], std::optional<Trend>(Trend::Up));
    Report(shown, Full);  // back down to 1013.2
    Report(shown, QStringLiteral("_220/004g005t077h50b00000"));
    QCOMPARE(shown.Press.caption, QStringLiteral("1013.2 mb"));
    QCOMPARE(shown.trends[PressureTrend], std::optional<Trend>(Trend::Down));
    QCOMPARE(shown.report.PrevPress, 1013.2f);
  }
};

QTEST_APPLESS_MAIN(TestDisplayState)
#include "test_display_state.moc"
