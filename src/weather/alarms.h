// The alarm tests: which readings lie beyond the user's limits.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "rgb.h"

#include "settings.h"

enum class LabelColour { Normal, Alarm };

inline constexpr Rgb NormalLabelRgb = 0xff0000ff;  // blue
inline constexpr Rgb AlarmLabelRgb = 0xffff0000;   // red

// Each limit of the settings, tested on its own; a label turns red when any of its tests fails.
enum class AlarmQuantity {
  TempHigh,
  TempLow,
  HumidityHigh,
  HumidityLow,
  PressureHigh,
  PressureLow,
  RainHour,
  Rain24h,
  Wind,
  Gust
};
inline constexpr int AlarmQuantityCount = 10;

// One reading tested against one limit, both metric.
struct AlarmTest {
  AlarmQuantity quantity = AlarmQuantity::TempHigh;
  float value = 0;
  float limit = 0;
  bool beyond = false;
};

// Whether the limit is a floor (the reading alarms at or below it) rather than a ceiling.
bool IsLowLimit(AlarmQuantity quantity);

// The gust compares strictly; every other limit includes equality.
AlarmTest TestAlarm(const Settings& s, AlarmQuantity quantity, float value);

// What one report collects while its labels are tested; never cleared during that report.
struct Requests {
  bool focus = false;
  bool beep = false;
  std::vector<AlarmTest> tests;  // every test the report's readings went through, in order

  // Keeps one label's tests and returns the label's colour.
  LabelColour Test(const Settings& s, std::initializer_list<AlarmTest> labelTests);
};
