// What the main window shows, as plain data: the captions, colours and pictures reports leave.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "report_decoder.h"

struct ShownLabel {
  QString caption;
  LabelColour colour = LabelColour::Normal;
};

struct DisplayState {
  // Design-time captions of a freshly started window.
  ShownLabel WxData{QStringLiteral("Ventora v5.01")}, Temp, UR, Press, Rain;
  QString WxComment;
  QString Elapsed = QStringLiteral("00");
  int RainFontPt = RainFontNormalPt;
  std::array<std::optional<Trend>, 3> trends;  // nothing: the picture is empty
  std::optional<CompassFigure> compass;        // nothing: no report has drawn it yet
  QString tooltip;
};

// Copies the value captions shown now into the carried state: the tooltip repeats them.
void CarryShownCaptions(const DisplayState& shown, ReportState& state);

// Changes the display as the window does after one decoded report.
void ApplyReport(DisplayState& shown, const ReportOutcome& out);
