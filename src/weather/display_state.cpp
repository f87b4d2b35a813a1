#include "display_state.h"

namespace {

void Apply(ShownLabel& label, const LabelUpdate& update) {
  if (update.caption) label.caption = *update.caption;
  if (update.colour) label.colour = *update.colour;
}

}  // namespace

void CarryShownCaptions(const DisplayState& shown, ReportState& state) {
  state.WxDataCaption = shown.WxData.caption;
  state.TempCaption = shown.Temp.caption;
  state.URCaption = shown.UR.caption;
  state.PressCaption = shown.Press.caption;
}

void ApplyReport(DisplayState& shown, const ReportOutcome& out) {
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
}
