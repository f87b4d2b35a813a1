#include "alert_environment.h"

#include <QDateTime>

#include "alert_text.h"

namespace {

EnvironmentVariables Common(const QString& event, qint64 timeMs, const QString& station,
                            const QString& text) {
  return {{QStringLiteral("VENTORA_EVENT"), event},
          {QStringLiteral("VENTORA_STATION"), station},
          {QStringLiteral("VENTORA_TIME"),
           QDateTime::fromMSecsSinceEpoch(timeMs, Qt::UTC).toString(Qt::ISODate)},
          {QStringLiteral("VENTORA_TEXT"), text}};
}

}  // namespace

EnvironmentVariables AlertEnvironment(const Alert& alert, const QString& station,
                                      const QString& text) {
  EnvironmentVariables variables = Common(AlertEventName(alert.kind), alert.timeMs, station, text);
  if (CarriesAlarm(alert.kind)) {
    const AlarmQuantity q = alert.alarm.quantity;
    variables.append({QStringLiteral("VENTORA_QUANTITY"), AlarmQuantityName(q)});
    variables.append({QStringLiteral("VENTORA_VALUE"), MetricNumber(q, alert.alarm.value)});
    variables.append({QStringLiteral("VENTORA_LIMIT"), MetricNumber(q, alert.alarm.limit)});
  }
  if (CarriesMinutes(alert.kind))
    variables.append({QStringLiteral("VENTORA_MINUTES"), QString::number(alert.minutes)});
  return variables;
}

EnvironmentVariables TestEnvironment(qint64 timeMs, const QString& station, const QString& text) {
  return Common(QStringLiteral("test"), timeMs, station, text);
}
