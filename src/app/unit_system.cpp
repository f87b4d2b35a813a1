#include "unit_system.h"

namespace {

// Exact by definition: 1 mile = 1.609344 km, 1 inch = 25.4 mm; 1 inHg = 33.8639 hPa (at 0 °C).
constexpr double KmPerMile = 1.609344;
constexpr double MmPerInch = 25.4;
constexpr double MbPerInHg = 33.8639;

const QString Degree = QStringLiteral("\u00B0");

struct UnitTable {
  ShownUnit units[2][4];
};

const UnitTable& Table() {
  static const UnitTable table{{
      // Metric: the units of the decoded readings themselves.
      {{1, 0, 1, Degree + QLatin1Char('C')},
       {1, 0, 0, QStringLiteral("km/h")},
       {1, 0, 1, QStringLiteral("mb")},
       {1, 0, 0, QStringLiteral("mm")}},
      // Imperial (US customary).
      {{9.0 / 5.0, 32, 1, Degree + QLatin1Char('F')},
       {1 / KmPerMile, 0, 0, QStringLiteral("mph")},
       {1 / MbPerInHg, 0, 2, QStringLiteral("inHg")},
       {1 / MmPerInch, 0, 2, QStringLiteral("in")}},
  }};
  return table;
}

}  // namespace

const ShownUnit& UnitOf(UnitSystem system, Quantity quantity) {
  return Table().units[static_cast<int>(system)][static_cast<int>(quantity)];
}

double ToShown(UnitSystem system, Quantity quantity, double metric) {
  const ShownUnit& unit = UnitOf(system, quantity);
  return metric * unit.scale + unit.offset;
}

double ToMetric(UnitSystem system, Quantity quantity, double shown) {
  const ShownUnit& unit = UnitOf(system, quantity);
  return (shown - unit.offset) / unit.scale;
}
