// The two unit systems a reading can be shown in, and the one table that converts to them.
#pragma once

#include <QString>

// Every reading is decoded, stored, compared with its alarm limit and written to files in its
// metric unit; the unit system only changes how it is shown and typed.
enum class UnitSystem { Metric, Imperial };
inline constexpr int UnitSystemCount = 2;

// What a shown number measures. Humidity (%) and absolute humidity (g/m³) have one unit only.
enum class Quantity { Temperature, Speed, Pressure, Rain };
inline constexpr int QuantityCount = 4;

// How one quantity is shown in one system: shown = metric * scale + offset.
struct ShownUnit {
  double scale;
  double offset;
  int decimals;    // as the window shows it
  QString symbol;  // "°C", "km/h", "mb", "mm" or "°F", "mph", "inHg", "in"
};

const ShownUnit& UnitOf(UnitSystem system, Quantity quantity);

// A metric value as shown in `system`, and back.
double ToShown(UnitSystem system, Quantity quantity, double metric);
double ToMetric(UnitSystem system, Quantity quantity, double shown);
