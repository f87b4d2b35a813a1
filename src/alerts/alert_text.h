// The words of an alert: its name in events and environments, and what a notification says in
// the program's language and the user's units.
#pragma once

#include <QLocale>
#include <QString>

#include "alert_rule.h"
#include "unit_system.h"

// "silent", "heard", "engine-lost", "engine-back", "alarm", "alarm-cleared".
QString AlertEventName(AlertKind kind);
// "temp-high", "temp-low", "humidity-high", "humidity-low", "pressure-high", "pressure-low",
// "rain-hour", "rain-24h", "wind", "gust".
QString AlarmQuantityName(AlarmQuantity quantity);
// A reading or limit in its metric unit with "." decimals, as commands and JSON receive it.
QString MetricNumber(AlarmQuantity quantity, float value);

// The notification's text, e.g. "IW2XYZ-13 non trasmette da 30 minuti".
QString AlertText(const Alert& alert, const QString& station, const QLocale& locale,
                  UnitSystem units);
// The text of the test event the preferences send.
QString TestAlertText(const QString& station);

// Whether the desktop is told of this kind when notifications are on (all but alarm-cleared).
bool NotifiesDesktop(AlertKind kind);
