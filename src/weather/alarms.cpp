#include "alarms.h"

bool WindInAlarm(const Settings& s, float windSpeed, float gust) {
  return windSpeed >= s.HiWind || gust > s.HiGust;
}

bool TempInAlarm(const Settings& s, float tempC) {
  return tempC <= s.LoTemp || tempC >= s.HiTemp;
}

bool HumidityInAlarm(const Settings& s, int16_t humidity) {
  return humidity <= s.LoHum || humidity >= s.HiHum;
}

bool PressureInAlarm(const Settings& s, float pressure) {
  return pressure <= s.LoBaro || pressure >= s.HiBaro;
}

bool RainInAlarm(const Settings& s, float rainHour, float rain24h) {
  return rainHour >= s.HiRainHour || rain24h >= s.HiRain24;
}

LabelColour Requests::Test(const Settings& s, bool inAlarm) {
  if (!inAlarm) return LabelColour::Normal;
  focus = focus || s.FocusOnAlarm;
  beep = beep || s.BeepOnAlarm;
  return LabelColour::Alarm;
}
