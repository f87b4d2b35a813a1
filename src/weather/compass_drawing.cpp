#include "compass_drawing.h"

#include <cmath>

namespace {

DrawOp Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = std::nullopt) {
  DrawOp op;
  op.kind = DrawOp::Kind::Line;
  op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
  op.colour = colour;
  return op;
}

DrawOp LineOn(float x2, float y2) {
  DrawOp op;
  op.kind = DrawOp::Kind::LineOn;
  op.x2 = x2, op.y2 = y2;
  return op;
}

DrawOp Circle(float x, float y, float radius, Rgb colour) {
  DrawOp op;
  op.kind = DrawOp::Kind::Circle;
  op.x1 = x, op.y1 = y, op.radius = radius;
  op.colour = colour;
  return op;
}

// Cosine and sine of an angle in whole degrees.
struct Turn {
  float cos, sin;
};

Turn ComputeTurn(int16_t degrees) {
  const double a = degrees * DegreeFactor;
  return {static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))};
}

// Every whole degree of a compass turn, computed once as above.
struct TurnTable {
  static constexpr int16_t FullTurn = 360;
  Turn turns[FullTurn + 1];
  TurnTable() {
    for (int16_t d = 0; d <= FullTurn; ++d) turns[d] = ComputeTurn(d);
  }
};

Turn TurnOf(int16_t degrees) {
  static const TurnTable table;
  const bool inTable = degrees >= 0 && degrees <= TurnTable::FullTurn;
  return inTable ? table.turns[degrees] : ComputeTurn(degrees);
}

float NeedleLength(float speed) {
  const float length = speed * NeedleTwipsPerKmh + HubRadius;
  return length > RimRadius ? RimRadius : length;
}

}  // namespace

CompassFigure DrawWindCompass(int16_t dir, float speed, float gust) {
  const float ls = NeedleLength(speed);
  float lg = NeedleLength(gust);
  if (lg < 0) lg = 0;
  CompassFigure figure{dir, speed, gust, false, {}};
  figure.drawing.push_back(DrawOp{});
  if (speed == 0 && gust == 0) {
    figure.calm = true;
    return figure;
  }
  const Turn turn = TurnOf(dir);
  const float c = turn.cos;
  const float s = turn.sin;
  const auto x = [&](float r) { return CompassCentre + r * s; };
  const auto y = [&](float r) { return CompassCentre - r * c; };
  figure.drawing.push_back(Circle(x(RimRadius), y(RimRadius), MarkerRadius, MarkerColour));
  figure.drawing.push_back(Line(x(HubRadius), y(HubRadius), x(lg), y(lg), GustColour));
  figure.drawing.push_back(Line(x(HubRadius), y(HubRadius), x(ls), y(ls), WindColour));
  return figure;
}

namespace {

Drawing ArrowLines(Trend trend) {
  switch (trend) {
    case Trend::Up:
      return {Line(127, 200, 127, 35), LineOn(170, 70), LineOn(70, 70), LineOn(127, 35)};
    case Trend::Equal:
      return {Line(50, 100, 200, 100), Line(50, 155, 200, 155)};
    case Trend::Down:
      break;
  }
  return {Line(127, 35, 127, 200), LineOn(170, 150), LineOn(70, 150), LineOn(127, 200)};
}

// The four pictures a trend can show: cleared only, or cleared with the arrow of a trend.
struct TrendPictures {
  Drawing arrow[3], picture[3], empty;
  TrendPictures() {
    empty.push_back(DrawOp{});
    for (Trend t : {Trend::Up, Trend::Equal, Trend::Down}) {
      const int i = int(t);
      arrow[i] = ArrowLines(t);
      picture[i] = empty;
      for (const DrawOp& op : arrow[i]) picture[i].push_back(op);
    }
  }
};

// Made once: every report draws three of them.
const TrendPictures& Pictures() {
  static const TrendPictures pictures;
  return pictures;
}

}  // namespace

Drawing DrawTrendArrow(Trend trend) {
  return Pictures().arrow[int(trend)];
}

Drawing TrendPictureDrawing(const std::optional<Trend>& trend) {
  return trend ? Pictures().picture[int(*trend)] : Pictures().empty;
}
