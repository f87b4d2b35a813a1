// Wind chill, dew point and absolute humidity derived from one report's readings.
#pragma once

#include <cstdint>

// A derived value that is not computed or not to be shown.
inline constexpr float NotShown = -999;

// Wind chill in °C for temperature T (°C) and mean wind v (km/h); the gust decides whether there is
// any. NotShown when there is no gust, when the result would lie above T, for a negative speed and
// for any result that is not a finite number.
float WindChill(float tempC, float windSpeed, float gust);

struct Moisture {
  float DewPoint = NotShown;     // °C
  float AbsHumidity = NotShown;  // g/m³; NotShown means neither value is shown
};

// Magnus formula (17.67, 243.5). Nothing is shown when the humidity term is not positive or a
// result is not a finite number.
Moisture DewPointAndAbsHumidity(float tempC, int16_t humidity);
