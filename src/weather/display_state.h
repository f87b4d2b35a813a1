// What the main window shows, as plain data, and the three things that change it: a new
// connection, the minute tick and a decoded report.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "report_decoder.h"

inline constexpr int16_t MostMinutesShown = 99;

struct ShownLabel {
  QString caption;
  LabelColour colour = LabelColour::Normal;
};

struct DisplayState {
  // Design-time captions of a freshly started window.
  QString Caption = QStringLiteral("Wx Station");  // the window's title
  ShownLabel WxData{QStringLiteral("Ventora v5.01")}, Temp, UR, Press, Rain;
  QString WxComment;
  int16_t MinutesSinceReport = 0;
  QString Elapsed = QStringLiteral("00");
  std::optional<int> RainFontPt;               // nothing: the label keeps its design-time font
  std::array<std::optional<Trend>, 3> trends;  // nothing: the picture is empty
  std::optional<CompassFigure> compass;        // nothing: no report has drawn it yet
  QString tooltip = Caption;
  ReportState report;  // the gate and the readings the next trend arrows compare with
  // The last report shown and the state it was decoded from, to show it again in other units;
  // empty once a new connection has cleared the values.
  QString lastReport;
  ReportState beforeLastReport;
  QString lastReportComment;  // the comment that report wrote, until something else replaces it
};

// Who opened a connection: the user (start-up, the setup dialog) or the reconnect schedule.
enum class ConnectedBy { User, Schedule };

// A new connection to the engine: the station's caption, empty value labels and arrows, the
// minute counter at zero and no earlier readings. The compass and comment keep what they show.
// A connection the schedule made keeps the readings and the counter, when there are any: an
// engine that accepts and drops at once must not make old readings look fresh.
void OnConnected(DisplayState& shown, const QString& stationCall,
                 ConnectedBy by = ConnectedBy::User);

// The minute tick: the gate opens and the counter rises, to at most 99.
void OnTick(DisplayState& shown);

// Decodes one report of the watched station and shows it. The outcome carries what the window
// must do beyond showing: restart the timer, beep, come to the front.
ReportOutcome OnReport(DisplayState& shown, const QString& text, const Settings& settings,
                       const QLocale& locale);
// The same with the locale's number rules and the words made once.
ReportOutcome OnReport(DisplayState& shown, QStringView text, const Settings& settings,
                       const CaptionFormat& format);

// Shows the last report again as `settings` now say (other units): the value captions, rain text
// and font, tooltip and compass of the same report decoded again. Nothing else changes: no gate,
// counter, arrow, colour or carried reading, and none of what the report asked of the window.
void ReshowLastReport(DisplayState& shown, const Settings& settings, const QLocale& locale);

// Changes the display as the window does after one decoded report.
void ApplyReport(DisplayState& shown, const ReportOutcome& out);
