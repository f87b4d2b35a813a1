#include "report_decoder.h"

#include "derived_values.h"
#include "label_text.h"
#include "number_format.h"
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
const QChar SuperscriptThree(0xB3);

QChar UserDecimal(const QLocale& locale) {
  const QString d = locale.decimalPoint();
  return d.isEmpty() ? QChar(u'.') : d[0];
}

// Pressures sent without their leading "10" or "9" are completed: b0132 is 1013.2 mb.
float CompletePressure(float x) {
  if (x >= 0 && x < 60) return static_cast<float>(x + 1000.0);
  if (x >= 60 && x < 100) return static_cast<float>(x + 900.0);
  return x;
}

// A station without a barometer sends b00000: a zero reads as an absent field, never 1000 mb.
float ReadPressure(QString& w, QChar dec) {
  const int16_t tenths = ReadWeatherField(w, u'b', 4, dec);
  return CompletePressure(static_cast<float>((tenths == 0 ? MissingField : tenths) / 10.0));
}

float Scaled(int16_t fieldValue, double factor) {
  return static_cast<float>(fieldValue * factor);
}

// Reads the fields in their fixed order; each read cuts its field out of the working text.
void ReadFields(QString& w, QChar dec, DecodedValues& v) {
  v.Gust = Scaled(ReadWeatherField(w, u'g', 3, dec), MphToKmh);
  const int fahrenheit = ReadWeatherField(w, u't', 3, dec);
  v.TempC = static_cast<float>((fahrenheit - FreezingFahrenheit) * FahrenheitDegreeToCelsius);
  v.RainHour = Scaled(ReadWeatherField(w, u'r', 3, dec), HundredthInchToMm);
  v.RainDay = Scaled(ReadWeatherField(w, u'P', 3, dec), HundredthInchToMm);
  v.Rain24h = Scaled(ReadWeatherField(w, u'p', 3, dec), HundredthInchToMm);
  v.Pressure = ReadPressure(w, dec);
  const int16_t humidity = ReadWeatherField(w, u'h', 2, dec);
  v.Humidity = humidity == 0 ? 100 : humidity;
  v.PressChange4h = NoPressChange;
  if (w.contains(QLatin1String("v-")) || w.contains(QLatin1String("v+")))
    v.PressChange4h = ReadWeatherField(w, u'v', 3, dec);
}

QString WindCaption(const DecodedValues& v, const NumberFormat& fmt) {
  QString text =
      FormatThreeDigits(v.WindDir) + DegreeSign + QLatin1String("  ") + fmt.Fixed(v.WindSpeed, 0);
  if (v.Gust >= 0) text += QLatin1String(" / ") + fmt.Fixed(v.Gust, 0);
  return text + QLatin1String(" km/h");
}

QString RainText(const DecodedValues& v, const NumberFormat& fmt) {
  QString text;
  if (v.RainHour >= 0) text += fmt.Fixed(v.RainHour, 0) + QLatin1String("mm/h ");
  if (v.Rain24h >= 0) text += fmt.Fixed(v.Rain24h, 0) + QLatin1String("mm/24h\r\n");
  if (v.RainDay >= 0) text += fmt.Fixed(v.RainDay, 0) + QLatin1String("mm/Day");
  if (v.WindChill > -99)
    text += QLatin1String(" Wch ") + fmt.Fixed(v.WindChill, 1) + DegreeSign + u'C';
  if (v.AbsHumidity > -99)
    text += QLatin1String(" Dp ") + fmt.Fixed(v.DewPoint, 1) + DegreeSign + QLatin1String("C  ") +
            fmt.Fixed(v.AbsHumidity, 1) + QLatin1String("g/m") + SuperscriptThree;
  return text;
}

// Clears the trend picture and, when an earlier reading exists, adds the arrow of the change.
TrendUpdate TrendPicture(bool havePrevious, float delta) {
  TrendUpdate update;
  update.touched = true;
  if (havePrevious) update.arrow = TrendOf(delta);
  update.drawing = TrendPictureDrawing(update.arrow);
  return update;
}

void DecodeWind(const DecodedValues& v, const Settings& s, const NumberFormat& fmt, Requests& req,
                ReportOutcome& out) {
  out.compass = DrawWindCompass(v.WindDir, v.WindSpeed, v.Gust);
  if (v.WindSpeed == 0 && v.Gust <= 0) {
    out.WxData.caption = QStringLiteral("Calma di vento");
    return;
  }
  out.WxData.colour = req.Test(s, WindInAlarm(s, v.WindSpeed, v.Gust));
  out.WxData.caption = WindCaption(v, fmt);
}

void DecodeTemperature(DecodedValues& v, const Settings& s, const NumberFormat& fmt, Requests& req,
                       ReportOutcome& out) {
  v.WindChill = WindChill(v.TempC, v.WindSpeed, v.Gust);
  const Moisture moisture = DewPointAndAbsHumidity(v.TempC, v.Humidity);
  v.DewPoint = moisture.DewPoint;
  v.AbsHumidity = moisture.AbsHumidity;
  out.Temp.colour = req.Test(s, TempInAlarm(s, v.TempC));
  out.Temp.caption = fmt.Fixed(v.TempC, 1) + DegreeSign + u'C';
  out.trends[TempTrend] =
      TrendPicture(out.after.HavePrevious, static_cast<float>(v.TempC - out.after.PrevTemp));
  out.after.PrevTemp = v.TempC;
}

void DecodeHumidity(const DecodedValues& v, const Settings& s, const NumberFormat& fmt,
                    Requests& req, ReportOutcome& out) {
  out.UR.colour = req.Test(s, HumidityInAlarm(s, v.Humidity));
  out.UR.caption = fmt.Fixed(v.Humidity, 0) + u'%';
  const int16_t delta = static_cast<int16_t>(v.Humidity - out.after.PrevHum);
  out.trends[HumidityTrend] = TrendPicture(out.after.HavePrevious, delta);
  out.after.PrevHum = v.Humidity;
}

void DecodePressure(const DecodedValues& v, const Settings& s, const NumberFormat& fmt,
                    Requests& req, ReportOutcome& out) {
  out.Press.colour = req.Test(s, PressureInAlarm(s, v.Pressure));
  out.Press.caption = fmt.Fixed(v.Pressure, 1) + QLatin1String(" mb");
  out.trends[PressureTrend] =
      TrendPicture(out.after.HavePrevious, static_cast<float>(v.Pressure - out.after.PrevPress));
  out.after.PrevPress = v.Pressure;
}

// Remembers the captions the labels now show, for the tooltip of this and later reports.
void KeepCaptions(ReportOutcome& out) {
  ReportState& a = out.after;
  if (out.WxData.caption) a.WxDataCaption = *out.WxData.caption;
  if (out.Temp.caption) a.TempCaption = *out.Temp.caption;
  if (out.UR.caption) a.URCaption = *out.UR.caption;
  if (out.Press.caption) a.PressCaption = *out.Press.caption;
}

QString Tooltip(const QString& call, const ReportState& a, const QString& rainText) {
  const QChar blank(u' ');
  return call + blank + a.WxDataCaption + blank + a.TempCaption + blank + a.URCaption + blank +
         a.PressCaption + blank + rainText;
}

QString Comment(const DecodedValues& v, const QString& rest) {
  if (v.PressChange4h > -99)
    return QLatin1String("Variaz Press in 4h= ") + QString::number(v.PressChange4h) +
           QLatin1String("mb ") + rest;
  return u' ' + rest;
}

}  // namespace

ReportOutcome DecodeWeatherReport(const QString& report, const Settings& settings,
                                  const ReportState& state, const QLocale& locale) {
  ReportOutcome out;
  out.after = state;
  out.Elapsed = QStringLiteral("00");
  Requests req{settings.FocusOnData, false};
  const QChar dec = UserDecimal(locale);
  const NumberFormat fmt(locale);
  DecodedValues& v = out.values;

  const qsizetype underscore = report.indexOf(u'_');
  QString w = underscore < 0 ? report : report.mid(underscore + 1);
  if (w.size() > PositionlessCAt && w[PositionlessCAt] == u'c') w.remove(0, PositionlessCAt + 1);

  const QStringView dirText = QStringView(w).mid(0, 3);
  if (IsNumericText(dirText, dec)) {
    out.restartTimer = true;
    out.after.AcceptReport = false;
    req.beep = req.beep || settings.BeepOnData;
    v.WindDir = ToInt16(ReadLeadingNumber(dirText)).value_or(NoWindDir);
  }
  v.WindSpeed = static_cast<float>(ReadLeadingNumber(QStringView(w).mid(4, 3)) * MphToKmh);
  ReadFields(w, dec, v);

  out.WxData.colour = LabelColour::Normal;
  if (v.WindDir > -99) {
    DecodeWind(v, settings, fmt, req, out);
    w.remove(0, DirectionAndSpeedLength);
  }
  if (v.TempC > -99) DecodeTemperature(v, settings, fmt, req, out);
  if (v.Humidity > 0) DecodeHumidity(v, settings, fmt, req, out);
  if (v.Pressure > 0) DecodePressure(v, settings, fmt, req, out);
  out.RainColour = req.Test(settings, RainInAlarm(settings, v.RainHour, v.Rain24h));

  out.Rain = RainText(v, fmt);
  out.RainFontPt = out.Rain.size() <= RainTextLongest10pt ? RainFontNormalPt : RainFontSmallPt;
  out.focus = req.focus;
  out.beep = req.beep;
  out.after.HavePrevious = true;
  KeepCaptions(out);
  out.tooltip = Tooltip(settings.StationCall, out.after, out.Rain);
  out.WxComment = Comment(v, w);
  return out;
}
