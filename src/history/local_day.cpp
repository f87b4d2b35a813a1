#include "local_day.h"

#include <QDateTime>

TimeSpan LocalDay(QDate date, const QTimeZone& zone) {
  return {date.startOfDay(zone).toSecsSinceEpoch(),
          date.addDays(1).startOfDay(zone).toSecsSinceEpoch()};
}

QDate LocalDate(int64_t time, const QTimeZone& zone) {
  return QDateTime::fromSecsSinceEpoch(time, zone).date();
}
