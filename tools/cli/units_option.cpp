#include "units_option.h"

QString ParseUnitsOption(const QString& value, UnitSystem& units) {
  if (value == QLatin1String("metric"))
    units = UnitSystem::Metric;
  else if (value == QLatin1String("imperial"))
    units = UnitSystem::Imperial;
  else
    return QStringLiteral("--units takes metric or imperial, not %1").arg(value);
  return QString();
}
