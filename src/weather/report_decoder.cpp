#include "report_decoder.h"

#include <QVarLengthArray>
#include <cstring>
#include <optional>
#include <utility>

#include "derived_values.h"
#include "label_text.h"
#include "number_text.h"
#include "weather_field.h"

namespace {

constexpr double MphToKmh = 1.609347;
constexpr double FahrenheitDegreeToCelsius = 0.5555555555555556;
constexpr double HundredthInchToMm = 0.254003;
constexpr int FreezingFahrenheit = 32;
// A positionless report carries an 8-character time stamp, then "c" and the direction.
constexpr int PositionlessCAt = 8;
constexpr int DirectionAndSpeedLength = 7;

const QChar DegreeSign(0xB0);

// Pressures sent without their leading "10" or "9" are completed: b0132 is 1013.2 mb.
float CompletePressure(float x) {
  if (x >= 0 && x < 60) return static_cast<float>(x + 1000.0);
  if (x >= 60 && x < 100) return static_cast<float>(x + 900.0);
  return x;
}

// The report from its first field on, as the fields are read: each read cuts its field out.
// Held inline: a report of a few hundred characters needs no allocation.
class WorkingText {
 public:
  explicit WorkingText(QStringView text) { units_.append(text.utf16(), text.size()); }
  QStringView View() const { return QStringView(units_.constData(), units_.size()); }
  qsizetype size() const { return units_.size(); }

  // Cuts `n` characters at `at`, or all that follow when fewer are left.
  void Cut(qsizetype at, qsizetype n) {
    n = qMin(n, units_.size() - at);
    char16_t* data = units_.data();
    std::memmove(data + at, data + at + n, sizeof(char16_t) * size_t(units_.size() - at - n));
    units_.resize(units_.size() - n);
  }

  int16_t ReadField(QChar letter, int width, QChar dec) {
    const WeatherFieldRead read = FindWeatherField(View(), letter, width, dec);
    if (read.at >= 0) Cut(read.at, read.length);
    return read.value;
  }

 private:
  QVarLengthArray<char16_t, 256> units_;
};

// A station without a barometer sends b00000: a zero reads as an absent field, never 1000 mb.
float ReadPressure(WorkingText& w, QChar dec) {
  const int16_t tenths = w.ReadField(u'b', 4, dec);
  return CompletePressure(static_cast<float>((tenths == 0 ? MissingField : tenths) / 10.0));
}

float Scaled(int16_t fieldValue, double factor) {
  return static_cast<float>(fieldValue * factor);
}

// Reads the fields in their fixed order; each read cuts its field out of the working text.
// Whether a "v-" or "v+" stands anywhere: only then is the first "v" read as a pressure change.
bool HasSignedChange(QStringView text) {
  for (qsizetype v = text.indexOf(u'v'); v >= 0; v = text.indexOf(u'v', v + 1))
    if (v + 1 < text.size() && (text[v + 1] == u'-' || text[v + 1] == u'+')) return true;
  return false;
}

void ReadFields(WorkingText& w, QChar dec, DecodedValues& v) {
  v.Gust = Scaled(w.ReadField(u'g', 3, dec), MphToKmh);
  const int fahrenheit = w.ReadField(u't', 3, dec);
  v.TempC = static_cast<float>((fahrenheit - FreezingFahrenheit) * FahrenheitDegreeToCelsius);
  v.RainHour = Scaled(w.ReadField(u'r', 3, dec), HundredthInchToMm);
  v.RainDay = Scaled(w.ReadField(u'P', 3, dec), HundredthInchToMm);
  v.Rain24h = Scaled(w.ReadField(u'p', 3, dec), HundredthInchToMm);
  v.Pressure = ReadPressure(w, dec);
  const int16_t humidity = w.ReadField(u'h', 2, dec);
  v.Humidity = humidity == 0 ? 100 : humidity;
  v.PressChange4h = NoPressChange;
  if (HasSignedChange(w.View())) v.PressChange4h = w.ReadField(u'v', 3, dec);
}

// How the captions of one report are written: numbers, words and the user's units.
struct CaptionStyle {
  const CaptionFormat& format;
  UnitSystem units;

  const NumberFormat& Numbers() const { return format.Numbers(); }
  const ShownUnit& Unit(Quantity q) const { return format.Unit(units, q); }
  const QString& Symbol(Quantity q) const { return Unit(q).symbol; }
  // A metric reading's number in the user's unit, with that unit's decimals. Metric readings
  // are written as decoded, without arithmetic (a -0 stays -0).
  void AppendNumber(TextBuilder& text, Quantity q, float metric) const {
    const ShownUnit& unit = Unit(q);
    const float shown =
        units == UnitSystem::Metric ? metric : static_cast<float>(ToShown(units, q, metric));
    Numbers().AppendFixed(text, shown, unit.decimals);
  }
  // The number, then `gap` and the unit's symbol.
  void AppendReading(TextBuilder& text, Quantity q, float metric,
                     QLatin1String gap = QLatin1String()) const {
    AppendNumber(text, q, metric);
    text << gap << Symbol(q);
  }
  QString Caption(Quantity q, float metric, QLatin1String gap = QLatin1String()) const {
    TextBuilder text;
    AppendReading(text, q, metric, gap);
    return text.ToString();
  }
};

QString WindCaption(const DecodedValues& v, const CaptionStyle& style) {
  TextBuilder text;
  AppendThreeDigits(text, v.WindDir);
  text << DegreeSign << QLatin1String("  ");
  style.AppendNumber(text, Quantity::Speed, v.WindSpeed);
  if (v.Gust >= 0) {
    text << QLatin1String(" / ");
    style.AppendNumber(text, Quantity::Speed, v.Gust);
  }
  text << u' ' << style.Symbol(Quantity::Speed);
  return text.ToString();
}

QString RainText(const DecodedValues& v, const CaptionStyle& style) {
  TextBuilder text;
  const auto rain = [&](float amount, QLatin1String per) {
    style.AppendReading(text, Quantity::Rain, amount);
    text << per;
  };
  if (v.RainHour >= 0) rain(v.RainHour, QLatin1String("/h "));
  if (v.Rain24h >= 0) rain(v.Rain24h, QLatin1String("/24h\r\n"));
  if (v.RainDay >= 0) rain(v.RainDay, QLatin1String("/Day"));
  if (v.WindChill > -99) {
    text << QLatin1String(" Wch ");
    style.AppendReading(text, Quantity::Temperature, v.WindChill);
  }
  if (v.AbsHumidity > -99) {
    text << QLatin1String(" Dp ");
    style.AppendReading(text, Quantity::Temperature, v.DewPoint);
    text << QLatin1String("  ");
    style.Numbers().AppendFixed(text, v.AbsHumidity, 1);
    text << QLatin1String("g/m\xb3");
  }
  return text.ToString();
}

// Clears the trend picture and, when an earlier reading exists, adds the arrow of the change.
void DrawTrend(TrendUpdate& update, bool havePrevious, float delta) {
  update.touched = true;
  if (havePrevious) update.arrow = TrendOf(delta);
  update.drawing = TrendPictureDrawing(update.arrow);
}

void DecodeWind(const DecodedValues& v, const Settings& s, const CaptionStyle& style, Requests& req,
                ReportOutcome& out) {
  out.compass = DrawWindCompass(v.WindDir, v.WindSpeed, v.Gust);
  AlarmTest wind = TestAlarm(s, AlarmQuantity::Wind, v.WindSpeed);
  // An absent gust is not tested: its alarm stays as the last gust left it.
  std::optional<AlarmTest> gust;
  if (v.Gust >= 0) gust = TestAlarm(s, AlarmQuantity::Gust, v.Gust);
  if (v.WindSpeed == 0 && v.Gust <= 0) {
    // A calm is never an alarm, whatever the limits say.
    wind.beyond = false;
    if (gust) gust->beyond = false;
    req.Test(s, {wind});
    if (gust) req.Test(s, {*gust});
    out.WxData.caption = style.format.WindCalm();
    return;
  }
  out.WxData.colour = gust ? req.Test(s, {wind, *gust}) : req.Test(s, {wind});
  out.WxData.caption = WindCaption(v, style);
}

void DecodeTemperature(DecodedValues& v, const Settings& s, const CaptionStyle& style,
                       Requests& req, ReportOutcome& out) {
  v.WindChill = WindChill(v.TempC, v.WindSpeed, v.Gust);
  const Moisture moisture = DewPointAndAbsHumidity(v.TempC, v.Humidity);
  v.DewPoint = moisture.DewPoint;
  v.AbsHumidity = moisture.AbsHumidity;
  out.Temp.colour = req.Test(s, {TestAlarm(s, AlarmQuantity::TempHigh, v.TempC),
                                 TestAlarm(s, AlarmQuantity::TempLow, v.TempC)});
  out.Temp.caption = style.Caption(Quantity::Temperature, v.TempC);
  DrawTrend(out.trends[TempTrend], out.after.HavePrevious,
            static_cast<float>(v.TempC - out.after.PrevTemp));
  out.after.PrevTemp = v.TempC;
}

void DecodeHumidity(const DecodedValues& v, const Settings& s, const NumberFormat& fmt,
                    Requests& req, ReportOutcome& out) {
  out.UR.colour = req.Test(s, {TestAlarm(s, AlarmQuantity::HumidityHigh, v.Humidity),
                               TestAlarm(s, AlarmQuantity::HumidityLow, v.Humidity)});
  TextBuilder caption;
  fmt.AppendFixed(caption, float(v.Humidity), 0);
  caption << u'%';
  out.UR.caption = caption.ToString();
  const int16_t delta = static_cast<int16_t>(v.Humidity - out.after.PrevHum);
  DrawTrend(out.trends[HumidityTrend], out.after.HavePrevious, delta);
  out.after.PrevHum = v.Humidity;
}

void DecodePressure(const DecodedValues& v, const Settings& s, const CaptionStyle& style,
                    Requests& req, ReportOutcome& out) {
  out.Press.colour = req.Test(s, {TestAlarm(s, AlarmQuantity::PressureHigh, v.Pressure),
                                  TestAlarm(s, AlarmQuantity::PressureLow, v.Pressure)});
  out.Press.caption = style.Caption(Quantity::Pressure, v.Pressure, QLatin1String(" "));
  DrawTrend(out.trends[PressureTrend], out.after.HavePrevious,
            static_cast<float>(v.Pressure - out.after.PrevPress));
  out.after.PrevPress = v.Pressure;
}

// Only the amounts the report gives are tested; the label turns red when either is too high.
LabelColour RainColour(const DecodedValues& v, const Settings& s, Requests& req) {
  LabelColour colour = LabelColour::Normal;
  for (const auto& [amount, quantity] : {std::pair{v.RainHour, AlarmQuantity::RainHour},
                                         std::pair{v.Rain24h, AlarmQuantity::Rain24h}})
    if (amount >= 0 && req.Test(s, {TestAlarm(s, quantity, amount)}) == LabelColour::Alarm)
      colour = LabelColour::Alarm;
  return colour;
}

// The gate and the readings carried on; the captions follow once the new ones are known.
void CarryReadings(const ReportState& from, ReportState& to) {
  to.AcceptReport = from.AcceptReport;
  to.HavePrevious = from.HavePrevious;
  to.PrevTemp = from.PrevTemp;
  to.PrevHum = from.PrevHum;
  to.PrevPress = from.PrevPress;
}

// Remembers the captions the labels now show, for the tooltip of this and later reports.
void KeepCaptions(const ReportState& before, ReportOutcome& out) {
  ReportState& a = out.after;
  a.WxDataCaption = out.WxData.caption ? *out.WxData.caption : before.WxDataCaption;
  a.TempCaption = out.Temp.caption ? *out.Temp.caption : before.TempCaption;
  a.URCaption = out.UR.caption ? *out.UR.caption : before.URCaption;
  a.PressCaption = out.Press.caption ? *out.Press.caption : before.PressCaption;
}

QString Tooltip(const QString& call, const ReportState& a, const QString& rainText) {
  TextBuilder text;
  for (const QString* part :
       {&call, &a.WxDataCaption, &a.TempCaption, &a.URCaption, &a.PressCaption})
    text << *part << u' ';
  text << rainText;
  return text.ToString();
}

// The station sends the change in whole millibars, and metric shows them so; other units show
// the change with their pressure's decimals.
void AppendPressChange(TextBuilder& text, const CaptionStyle& style, int16_t mb) {
  if (style.units == UnitSystem::Metric)
    AppendInteger(text, mb);
  else
    style.AppendNumber(text, Quantity::Pressure, mb);
  text << style.Symbol(Quantity::Pressure) << u' ';
}

QString Comment(const DecodedValues& v, const CaptionStyle& style, QStringView rest) {
  TextBuilder text;
  if (v.PressChange4h > -99) {
    text << style.format.PressChange();
    AppendPressChange(text, style, v.PressChange4h);
  } else {
    text << u' ';
  }
  text << rest;
  return text.ToString();
}

}  // namespace

ReportOutcome DecodeWeatherReport(const QString& report, const Settings& settings,
                                  const ReportState& state, const QLocale& locale) {
  return DecodeWeatherReport(report, settings, state, CaptionFormat(locale));
}

ReportOutcome DecodeWeatherReport(QStringView report, const Settings& settings,
                                  const ReportState& state, const CaptionFormat& format) {
  ReportOutcome out;
  CarryReadings(state, out.after);
  out.Elapsed = QStringLiteral("00");
  Requests req;
  req.focus = settings.FocusOnData;
  req.tests.reserve(AlarmQuantityCount);
  const NumberFormat& fmt = format.Numbers();
  const CaptionStyle style{format, settings.Units};
  const QChar dec = fmt.DecimalPoint();
  DecodedValues& v = out.values;

  WorkingText w(report.mid(report.indexOf(u'_') + 1));  // no "_": the whole report
  if (w.size() > PositionlessCAt && w.View()[PositionlessCAt] == u'c')
    w.Cut(0, PositionlessCAt + 1);

  const QStringView dirText = w.View().mid(0, 3);
  if (IsNumericText(dirText, dec)) {
    out.restartTimer = true;
    out.after.AcceptReport = false;
    req.beep = req.beep || settings.BeepOnData;
    v.WindDir = ToInt16(ReadLeadingNumber(dirText)).value_or(NoWindDir);
  }
  const QStringView speedText = w.View().mid(4, 3);
  v.WindSpeed = static_cast<float>(ReadLeadingNumber(speedText) * MphToKmh);
  v.WindSpeedGiven = HasLeadingNumber(speedText);
  ReadFields(w, dec, v);

  out.WxData.colour = LabelColour::Normal;
  if (v.WindDir > -99) {
    DecodeWind(v, settings, style, req, out);
    w.Cut(0, DirectionAndSpeedLength);
  }
  if (v.TempC > -99) DecodeTemperature(v, settings, style, req, out);
  if (v.Humidity > 0) DecodeHumidity(v, settings, fmt, req, out);
  if (v.Pressure > 0) DecodePressure(v, settings, style, req, out);
  out.RainColour = RainColour(v, settings, req);

  out.Rain = RainText(v, style);
  out.RainFontPt = out.Rain.size() <= RainTextLongest10pt ? RainFontNormalPt : RainFontSmallPt;
  out.focus = req.focus;
  out.beep = req.beep;
  out.alarmTests = std::move(req.tests);
  out.after.HavePrevious = true;
  KeepCaptions(state, out);
  out.tooltip = Tooltip(settings.StationCall, out.after, out.Rain);
  out.WxComment = Comment(v, style, w.View());
  return out;
}
