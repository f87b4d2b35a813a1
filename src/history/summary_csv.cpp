#include "summary_csv.h"

#include "noaa_columns.h"

QByteArray MonthCsv(const MonthSummary& month, UnitSystem units, const QTimeZone& zone) {
  QByteArray csv = "date";
  for (const NoaaColumn& column : NoaaDayColumns) csv += ',' + NoaaColumnName(column, units);
  csv += '\n';
  for (const DaySummary& day : month.days) {
    csv += day.date.toString(Qt::ISODate).toLatin1();
    for (const QByteArray& field : NoaaDayFields(day, units, zone)) csv += ',' + field;
    csv += '\n';
  }
  return csv;
}
