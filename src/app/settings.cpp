#include "settings.h"

void ApplyDefaultAlarms(Settings& s) {
  s.BeepOnData = false;
  s.FocusOnData = true;
  s.BeepOnAlarm = true;
  s.FocusOnAlarm = true;
  s.LoTemp = -5;
  s.HiTemp = 40;
  s.LoHum = 20;
  s.HiHum = 96;
  s.LoBaro = 900;
  s.HiBaro = 1040;
  s.HiRainHour = 40;
  s.HiRain24 = 250;
  s.HiWind = 50;
  s.HiGust = 80;
}

bool SameAlarms(const Settings& a, const Settings& b) {
  return a.BeepOnData == b.BeepOnData && a.FocusOnData == b.FocusOnData &&
         a.BeepOnAlarm == b.BeepOnAlarm && a.FocusOnAlarm == b.FocusOnAlarm &&
         a.LoTemp == b.LoTemp && a.HiTemp == b.HiTemp && a.LoHum == b.LoHum && a.HiHum == b.HiHum &&
         a.LoBaro == b.LoBaro && a.HiBaro == b.HiBaro && a.HiRainHour == b.HiRainHour &&
         a.HiRain24 == b.HiRain24 && a.HiWind == b.HiWind && a.HiGust == b.HiGust;
}
