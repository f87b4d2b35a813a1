#include "report_json.h"

#include "history_row.h"

namespace {

const char* ColourName(LabelColour c) {
  return c == LabelColour::Alarm ? "#ff0000" : "#0000ff";
}

const char* TrendName(Trend t) {
  switch (t) {
    case Trend::Up:
      return "up";
    case Trend::Equal:
      return "equal";
    case Trend::Down:
      break;
  }
  return "down";
}

void WriteLabels(JsonWriter& json, const DisplayState& s) {
  json.BeginObject("labels")
      .String("lblWxData", s.WxData.caption)
      .String("lblTemp", s.Temp.caption)
      .String("lblUR", s.UR.caption)
      .String("lblPress", s.Press.caption)
      .String("lblRain", s.Rain.caption)
      .String("lblWxComment", s.WxComment)
      .String("lblElapsed", s.Elapsed)
      .EndObject();
  json.BeginObject("colors")
      .Name("lblWxData", ColourName(s.WxData.colour))
      .Name("lblTemp", ColourName(s.Temp.colour))
      .Name("lblUR", ColourName(s.UR.colour))
      .Name("lblPress", ColourName(s.Press.colour))
      .Name("lblRain", ColourName(s.Rain.colour))
      .EndObject();
  json.Int("rainFontPt", s.RainFontPt.value_or(RainFontNormalPt));
}

void WriteTrendsAndCompass(JsonWriter& json, const DisplayState& s) {
  json.BeginArray("trends");
  for (const auto& trend : s.trends)
    trend ? json.Name(nullptr, TrendName(*trend)) : json.Null(nullptr);
  json.EndArray();
  if (!s.compass) {
    json.Null("compass");
    return;
  }
  const CompassFigure& c = *s.compass;
  json.BeginObject("compass").Bool("calm", c.calm);
  if (c.calm) {
    json.Null("dir").Null("speed").Null("gust");
  } else {
    json.Int("dir", c.dir).Float("speed", c.speed);
    c.gust >= 0 ? json.Float("gust", c.gust) : json.Null("gust");
  }
  json.EndObject();
}

// decode's names for the readings, in the order it prints them.
struct ValueName {
  JsonKey key;
  HistoryColumn column;
};
const ValueName ValueNames[] = {{"WindDir", HistoryColumn::WindDir},
                                {"WindSpeed", HistoryColumn::WindKmh},
                                {"Gust", HistoryColumn::GustKmh},
                                {"TempC", HistoryColumn::TempC},
                                {"RainHour", HistoryColumn::Rain1hMm},
                                {"RainDay", HistoryColumn::RainTodayMm},
                                {"Rain24h", HistoryColumn::Rain24hMm},
                                {"Pressure", HistoryColumn::PressureMb},
                                {"Humidity", HistoryColumn::HumidityPct},
                                {"PressChange4h", HistoryColumn::PressureChange4hMb},
                                {"WindChill", HistoryColumn::WindChillC},
                                {"DewPoint", HistoryColumn::DewPointC},
                                {"AbsHumidity", HistoryColumn::AbsHumidityGm3}};

// Each reading the report holds, null where it holds none; the speed is always printed, as the
// window shows it (0 when the report gave none).
void WriteValues(JsonWriter& json, const DecodedValues& v) {
  json.BeginObject("values");
  for (const auto& [key, column] : ValueNames) {
    const float number = DecodedNumber(v, column);
    if (column != HistoryColumn::WindKmh && !HoldsReading(v, column))
      json.Null(key);
    else if (IsWholeNumberColumn(column))
      json.Int(key, int64_t(number));
    else
      json.Float(key, number);
  }
  json.EndObject();
}

}  // namespace

void WriteReportJson(JsonWriter& json, const DisplayState& shown, const ReportOutcome& out) {
  WriteLabels(json, shown);
  WriteTrendsAndCompass(json, shown);
  WriteValues(json, out.values);
  json.Bool("acceptReport", out.after.AcceptReport)
      .Bool("beep", out.beep)
      .Bool("focus", out.focus)
      .String("tooltip", shown.tooltip);
}
