// The words of --units, for every command that shows readings.
#pragma once

#include <QString>

#include "unit_system.h"

// Sets `units` from "metric" or "imperial"; otherwise returns what is wrong (empty: nothing).
QString ParseUnitsOption(const QString& value, UnitSystem& units);
