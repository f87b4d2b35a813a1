// One alert as `ventora-cli monitor` prints it: the event's name, the station, and what the
// user's command receives of it, numbers as numbers.
#pragma once

#include <QString>

#include "alert_rule.h"
#include "json_writer.h"

// Writes the members of {"event":"alert","kind":…,"station":…[,"minutes":…][,"quantity":…,
// "value":…,"limit":…],"text":…} into an object the caller has begun.
void WriteAlertJson(JsonWriter& json, const Alert& alert, const QString& station,
                    const QString& text);
