#include "alert_json.h"

#include "alert_text.h"

void WriteAlertJson(JsonWriter& json, const Alert& alert, const QString& station,
                    const QString& text) {
  json.String("event", QStringLiteral("alert"))
      .String("kind", AlertEventName(alert.kind))
      .String("station", station);
  if (CarriesMinutes(alert.kind)) json.Int("minutes", alert.minutes);
  if (CarriesAlarm(alert.kind)) {
    // The numbers the command reads in VENTORA_VALUE and VENTORA_LIMIT, not the raw floats.
    const AlarmQuantity q = alert.alarm.quantity;
    json.String("quantity", AlarmQuantityName(q))
        .Double("value", MetricNumber(q, alert.alarm.value).toDouble())
        .Double("limit", MetricNumber(q, alert.alarm.limit).toDouble());
  }
  json.String("text", text);
}
