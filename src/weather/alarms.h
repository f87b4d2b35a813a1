// The alarm tests: which readings lie beyond the user's limits.
#pragma once

#include "rgb.h"

#include "settings.h"

enum class LabelColour { Normal, Alarm };

inline constexpr Rgb NormalLabelRgb = 0xff0000ff;  // blue
inline constexpr Rgb AlarmLabelRgb = 0xffff0000;   // red

// The gust compares strictly; every other limit includes equality.
bool WindInAlarm(const Settings& s, float windSpeed, float gust);
bool TempInAlarm(const Settings& s, float tempC);
bool HumidityInAlarm(const Settings& s, int16_t humidity);
bool PressureInAlarm(const Settings& s, float pressure);
bool RainInAlarm(const Settings& s, float rainHour, float rain24h);

// The two requests a report collects; only ever set during one report, never cleared.
struct Requests {
  bool focus = false;
  bool beep = false;

  // Applies one alarm test's outcome and returns the label's colour.
  LabelColour Test(const Settings& s, bool inAlarm);
};
