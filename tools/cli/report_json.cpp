#include "report_json.h"

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

// A reading that fails its presence test is null.
void Present(JsonWriter& json, JsonKey key, float v, bool present) {
  present ? json.Float(key, v) : json.Null(key);
}

void WriteValues(JsonWriter& json, const DecodedValues& v) {
  json.BeginObject("values");
  v.WindDir > -99 ? json.Int("WindDir", v.WindDir) : json.Null("WindDir");
  json.Float("WindSpeed", v.WindSpeed);
  Present(json, "Gust", v.Gust, v.Gust >= 0);
  Present(json, "TempC", v.TempC, v.TempC > -99);
  Present(json, "RainHour", v.RainHour, v.RainHour >= 0);
  Present(json, "RainDay", v.RainDay, v.RainDay >= 0);
  Present(json, "Rain24h", v.Rain24h, v.Rain24h >= 0);
  Present(json, "Pressure", v.Pressure, v.Pressure > 0);
  v.Humidity > 0 ? json.Int("Humidity", v.Humidity) : json.Null("Humidity");
  v.PressChange4h > -99 ? json.Int("PressChange4h", v.PressChange4h) : json.Null("PressChange4h");
  Present(json, "WindChill", v.WindChill, v.WindChill > -99);
  Present(json, "DewPoint", v.DewPoint, v.AbsHumidity > -99);
  Present(json, "AbsHumidity", v.AbsHumidity, v.AbsHumidity > -99);
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
