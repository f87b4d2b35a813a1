// A simulated weather station and its neighbours: plausible, slowly changing APRS traffic.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <random>

#include "tnc2_packet.h"

// Simulated packets go to APRS via WIDE2-1.
using SimulatedPacket = Tnc2Packet;

class WeatherSimulation {
 public:
  WeatherSimulation(const QByteArray& stationCall, unsigned seed);

  // The station's next weather report, in one of the two report forms, now and then with a
  // missing or dotted field or a value beyond the usual alarm limits.
  SimulatedPacket NextReport(const QDateTime& now);
  // A packet of some other station: positions, status texts, other weather stations.
  SimulatedPacket NextOtherTraffic();

 private:
  void Step();
  QByteArray Fields(bool calm);
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
  bool Chance(double p) { return Uniform(0, 1) < p; }

  QByteArray call_;
  std::mt19937 rng_;
  double windDir_ = 220, windMph_ = 6, tempF_ = 60, humidity_ = 65, pressure_ = 1013.0;
  double rainDay_ = 0;
  int reports_ = 0;
};
