// The one program-wide record of what the user can set: station, engine, reactions, alarm limits.
#pragma once

#include <QString>
#include <cstdint>

#include "unit_system.h"

struct Settings {
  QString StationCall;
  QString AgwHost;
  int16_t AgwPort = 0;
  bool BeepOnData = false;
  bool FocusOnData = false;
  bool BeepOnAlarm = false;
  bool FocusOnAlarm = false;
  float LoTemp = 0;
  float HiTemp = 0;
  int16_t LoHum = 0;
  int16_t HiHum = 0;
  float LoBaro = 0;
  float HiBaro = 0;
  float HiRainHour = 0;
  float HiRain24 = 0;
  float HiWind = 0;
  float HiGust = 0;
  bool SaveAlarms = false;
  // How readings and limits are shown (Ventora.ini); limits stay metric underneath.
  UnitSystem Units = UnitSystem::Metric;
};

// The AGWPE engine listens here unless the setup dialog says otherwise; every run starts with it.
constexpr int16_t DefaultAgwPort = 8000;

// The alarm part of the record (the fourteen fields kept in WxAlarms.ini) set to its defaults.
void ApplyDefaultAlarms(Settings& settings);

// True when the fourteen alarm fields of both records are equal.
bool SameAlarms(const Settings& a, const Settings& b);
