#include "weather_simulation.h"

#include <algorithm>
#include <cmath>

namespace {

QByteArray Padded(long value, int width) {
  QByteArray digits = QByteArray::number(std::labs(value)).rightJustified(width, '0');
  if (value < 0) digits = '-' + digits.right(width - 1);
  return digits;
}

}  // namespace

WeatherSimulation::WeatherSimulation(const QByteArray& stationCall, unsigned seed)
    : call_(stationCall), rng_(seed) {}

void WeatherSimulation::Step() {
  windDir_ = std::fmod(windDir_ + Uniform(-25, 25) + 360, 360);
  windMph_ = std::clamp(windMph_ + Uniform(-3, 3), 0.0, 45.0);
  tempF_ = std::clamp(tempF_ + Uniform(-1.5, 1.5), -10.0, 105.0);
  humidity_ = std::clamp(humidity_ + Uniform(-3, 3), 15.0, 100.0);
  pressure_ = std::clamp(pressure_ + Uniform(-0.6, 0.6), 960.0, 1045.0);
  if (Chance(0.2)) rainDay_ += Uniform(0, 8);
}

QByteArray WeatherSimulation::Fields(bool calm) {
  const long gust = calm ? 0 : std::lround(windMph_ + Uniform(0, 12));
  QByteArray f = "g" + (Chance(0.05) ? QByteArray("...") : Padded(gust, 3));
  // Now and then a heat wave beyond the default 40 C limit.
  const double temp = Chance(0.04) ? 106 + Uniform(0, 4) : tempF_;
  if (!Chance(0.03)) f += "t" + Padded(std::lround(temp), 3);
  f += "r" + Padded(std::lround(rainDay_ / 6), 3) + "p" + Padded(std::lround(rainDay_ * 1.3), 3) +
       "P" + Padded(std::lround(rainDay_), 3);
  const long h = std::lround(humidity_);
  f += "h" + (Chance(0.03) ? QByteArray("..") : h >= 100 ? QByteArray("00") : Padded(h, 2));
  f += "b" + Padded(std::lround(pressure_ * 10), 5);
  return f;
}

SimulatedPacket WeatherSimulation::NextReport(const QDateTime& now) {
  Step();
  const bool calm = Chance(0.05);
  const QByteArray dir = Chance(0.03) ? "..." : Padded(std::lround(windDir_), 3);
  const QByteArray speed = calm ? "000" : Padded(std::lround(windMph_), 3);
  const QByteArray fields = Fields(calm);
  QByteArray info;
  if (++reports_ % 2) {
    info = "!4549.50N/00911.30E_" + dir + "/" + speed + fields + "eVentoraSim";
  } else {
    info = "_" + now.toString(QStringLiteral("MMddHHmm")).toLatin1() + "c" + dir + "s" + speed +
           fields + "eVentoraSim";
  }
  if (Chance(0.1)) info += QByteArray(Chance(0.5) ? "v-" : "v+") + Padded(long(Uniform(1, 4)), 2);
  return {call_, info};
}

SimulatedPacket WeatherSimulation::NextOtherTraffic() {
  static const SimulatedPacket others[] = {
      {"IK2AAA-9", "!4531.20N/00912.40E>090/035/A=000420 on the road"},
      {"IZ2BBB", ">Ventora simulated net, 73"},
      {"I2CCC-13", "@071200z4540.00N/00930.00E_180/003g008t055r000p000P000h70b10120"},
      {"IW2DDD-7", "=4550.10N/00905.90E-QTH"},
      {"IR2EEE", ";LEADER  *071200z4535.00N/00915.00E#Digi"},
  };
  std::uniform_int_distribution<int> pick(0, int(std::size(others)) - 1);
  return others[pick(rng_)];
}
