#include "alarms.h"

namespace {

float Limit(const Settings& s, AlarmQuantity quantity) {
  switch (quantity) {
    case AlarmQuantity::TempHigh:
      return s.HiTemp;
    case AlarmQuantity::TempLow:
      return s.LoTemp;
    case AlarmQuantity::HumidityHigh:
      return s.HiHum;
    case AlarmQuantity::HumidityLow:
      return s.LoHum;
    case AlarmQuantity::PressureHigh:
      return s.HiBaro;
    case AlarmQuantity::PressureLow:
      return s.LoBaro;
    case AlarmQuantity::RainHour:
      return s.HiRainHour;
    case AlarmQuantity::Rain24h:
      return s.HiRain24;
    case AlarmQuantity::Wind:
      return s.HiWind;
    case AlarmQuantity::Gust:
      return s.HiGust;
  }
  return 0;
}

}  // namespace

bool IsLowLimit(AlarmQuantity quantity) {
  return quantity == AlarmQuantity::TempLow || quantity == AlarmQuantity::HumidityLow ||
         quantity == AlarmQuantity::PressureLow;
}

AlarmTest TestAlarm(const Settings& s, AlarmQuantity quantity, float value) {
  const float limit = Limit(s, quantity);
  bool beyond = IsLowLimit(quantity) ? value <= limit : value >= limit;
  if (quantity == AlarmQuantity::Gust) beyond = value > limit;
  return {quantity, value, limit, beyond};
}

LabelColour Requests::Test(const Settings& s, std::initializer_list<AlarmTest> labelTests) {
  bool inAlarm = false;
  for (const AlarmTest& t : labelTests) {
    tests.push_back(t);
    inAlarm = inAlarm || t.beyond;
  }
  if (!inAlarm) return LabelColour::Normal;
  focus = focus || s.FocusOnAlarm;
  beep = beep || s.BeepOnAlarm;
  return LabelColour::Alarm;
}
