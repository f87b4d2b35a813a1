#include "display_state.h"

#include "label_text.h"

namespace {

void Apply(ShownLabel& label, const LabelUpdate& update) {
  if (update.caption) label.caption = *update.caption;
  if (update.colour) label.colour = *update.colour;
}

// Copies a caption unless it is the very same text already (no reference count touched then).
void Carry(QString& to, const QString& from) {
  if (!to.isSharedWith(from)) to = from;
}

// The tooltip repeats the value captions shown now, whoever wrote them last.
void CarryShownCaptions(const DisplayState& shown, ReportState& state) {
  Carry(state.WxDataCaption, shown.WxData.caption);
  Carry(state.TempCaption, shown.Temp.caption);
  Carry(state.URCaption, shown.UR.caption);
  Carry(state.PressCaption, shown.Press.caption);
}

}  // namespace

void OnConnected(DisplayState& shown, const QString& stationCall, ConnectedBy by) {
  shown.Caption = stationCall + QStringLiteral(" Wx Station");
  shown.tooltip = shown.Caption;
  if (by == ConnectedBy::Schedule && shown.report.HavePrevious) return;
  shown.WxData.caption = QStringLiteral("Ventora v5");
  for (ShownLabel* label : {&shown.Press, &shown.Temp, &shown.UR, &shown.Rain})
    label->caption.clear();
  shown.trends = {};
  shown.Elapsed = QStringLiteral("00");
  shown.MinutesSinceReport = 0;
  shown.report.HavePrevious = false;
  shown.lastReport.clear();
}

void OnTick(DisplayState& shown) {
  shown.report.AcceptReport = true;
  if (shown.MinutesSinceReport < MostMinutesShown) ++shown.MinutesSinceReport;
  shown.Elapsed = FormatTwoDigits(shown.MinutesSinceReport);
}

ReportOutcome OnReport(DisplayState& shown, const QString& text, const Settings& settings,
                       const QLocale& locale) {
  return OnReport(shown, text, settings, CaptionFormat(locale));
}

ReportOutcome OnReport(DisplayState& shown, QStringView text, const Settings& settings,
                       const CaptionFormat& format) {
  CarryShownCaptions(shown, shown.report);
  shown.lastReport = text.toString();
  shown.beforeLastReport = shown.report;
  ReportOutcome out = DecodeWeatherReport(text, settings, shown.report, format);
  ApplyReport(shown, out);
  return out;
}

void ReshowLastReport(DisplayState& shown, const Settings& settings, const QLocale& locale) {
  if (shown.lastReport.isEmpty()) return;
  const ReportOutcome out =
      DecodeWeatherReport(shown.lastReport, settings, shown.beforeLastReport, locale);
  for (auto [label, update] : {std::pair{&shown.WxData, &out.WxData},
                               {&shown.Temp, &out.Temp},
                               {&shown.UR, &out.UR},
                               {&shown.Press, &out.Press}})
    if (update->caption) label->caption = *update->caption;
  shown.Rain.caption = out.Rain;
  shown.RainFontPt = out.RainFontPt;
  shown.tooltip = out.tooltip;
  if (out.compass) shown.compass = out.compass;
  // The captions a later report's tooltip repeats for a missing reading.
  shown.report.WxDataCaption = out.after.WxDataCaption;
  shown.report.TempCaption = out.after.TempCaption;
  shown.report.URCaption = out.after.URCaption;
  shown.report.PressCaption = out.after.PressCaption;
  if (shown.WxComment == shown.lastReportComment) shown.WxComment = out.WxComment;
  shown.lastReportComment = out.WxComment;
}

void ApplyReport(DisplayState& shown, const ReportOutcome& out) {
  shown.report = out.after;
  shown.MinutesSinceReport = 0;
  shown.Elapsed = out.Elapsed;
  if (out.compass) shown.compass = out.compass;
  Apply(shown.WxData, out.WxData);
  Apply(shown.Temp, out.Temp);
  Apply(shown.UR, out.UR);
  Apply(shown.Press, out.Press);
  for (size_t i = 0; i < out.trends.size(); ++i)
    if (out.trends[i].touched) shown.trends[i] = out.trends[i].arrow;
  shown.RainFontPt = out.RainFontPt;
  Apply(shown.Rain, {out.Rain, out.RainColour});
  shown.tooltip = out.tooltip;
  shown.WxComment = out.WxComment;
  shown.lastReportComment = out.WxComment;
}
