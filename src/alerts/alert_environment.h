// What the user's command learns of an alert: variables added to the program's environment.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "alert_rule.h"

using EnvironmentVariables = QList<QPair<QString, QString>>;

// VENTORA_EVENT, VENTORA_STATION, VENTORA_TIME (ISO 8601, UTC), VENTORA_TEXT; VENTORA_QUANTITY,
// VENTORA_VALUE and VENTORA_LIMIT for alarms; VENTORA_MINUTES for silent, heard and engine-lost.
EnvironmentVariables AlertEnvironment(const Alert& alert, const QString& station,
                                      const QString& text);
// The same for the test event (VENTORA_EVENT=test) the preferences send.
EnvironmentVariables TestEnvironment(qint64 timeMs, const QString& station, const QString& text);
