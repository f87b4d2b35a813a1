// Turns one APRS weather report of the watched station into everything the window must change.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "alarms.h"
#include "caption_format.h"
#include "compass_drawing.h"
#include "settings.h"

// Values below these marks are absent (see the presence tests in DecodedValues).
inline constexpr int16_t NoWindDir = -999;
inline constexpr int16_t NoPressChange = -999;

// One report's readings in metric units. Missing fields carry large negative numbers and are
// recognised by range: WindDir > -99, Gust >= 0, TempC > -99, rain >= 0, Pressure > 0,
// Humidity > 0, PressChange4h > -99, WindChill > -99, AbsHumidity > -99 (DewPoint with it).
struct DecodedValues {
  int16_t WindDir = NoWindDir;
  float WindSpeed = 0, Gust = 0, TempC = 0;
  // Whether the speed's characters held a number: without one, WindSpeed is the 0 the window
  // shows, and the history has no speed rather than a calm.
  bool WindSpeedGiven = false;
  float RainHour = 0, RainDay = 0, Rain24h = 0;
  float Pressure = 0;
  int16_t Humidity = 0;
  int16_t PressChange4h = NoPressChange;
  float WindChill = -999, DewPoint = -999, AbsHumidity = -999;
};

// What the window carries from one report to the next. (The decoder copies the readings one by
// one and the captions apart: a field added here must be carried there too.)
struct ReportState {
  bool AcceptReport = true;
  bool HavePrevious = false;
  float PrevTemp = 0;
  int16_t PrevHum = 0;
  float PrevPress = 0;
  // Captions the value labels show now: the tray tooltip repeats them when a reading is missing.
  QString WxDataCaption, TempCaption, URCaption, PressCaption;
};

// A label whose reading was absent keeps its caption and colour.
struct LabelUpdate {
  std::optional<QString> caption;
  std::optional<LabelColour> colour;
};

// A trend picture that is touched is cleared and gets the arrow, if any.
struct TrendUpdate {
  bool touched = false;
  std::optional<Trend> arrow;
  Drawing drawing;  // Clear, then the arrow's lines
};

enum TrendIndex { TempTrend = 0, HumidityTrend = 1, PressureTrend = 2 };

struct ReportOutcome {
  LabelUpdate WxData, Temp, UR, Press;
  QString Rain;
  LabelColour RainColour = LabelColour::Normal;
  int RainFontPt = 10;
  QString WxComment;
  QString Elapsed;  // always "00": every report resets the minute counter
  std::optional<CompassFigure> compass;
  std::array<TrendUpdate, 3> trends;
  bool restartTimer = false;  // close the gate and start a full minute again
  bool focus = false;
  bool beep = false;
  QString tooltip;
  DecodedValues values;
  // Every limit the report's readings were tested against; an absent reading is not tested.
  std::vector<AlarmTest> alarmTests;
  ReportState after;
};

inline constexpr int RainFontNormalPt = 10;
inline constexpr int RainFontSmallPt = 8;
inline constexpr int RainTextLongest10pt = 25;

// Decodes the information text of a monitored frame (first character included). Reads no clock,
// file or global: the settings, the carried state and the user's locale come in.
ReportOutcome DecodeWeatherReport(const QString& report, const Settings& settings,
                                  const ReportState& state, const QLocale& locale);
// The same with the locale's number rules and the words made once, for callers that decode many
// reports. The captions show the readings in settings.Units.
ReportOutcome DecodeWeatherReport(QStringView report, const Settings& settings,
                                  const ReportState& state, const CaptionFormat& format);
