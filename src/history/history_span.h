// The one rule for a span of time in the history's queries: from its first second up to, not
// including, its end, so that spans laid end to end (a chart's pixel columns) share no report.
#pragma once

#include <QString>
#include <cstdint>
#include <limits>
#include <optional>

class QSqlQuery;

struct TimeSpan {
  int64_t from = std::numeric_limits<int64_t>::min();  // the first second in the span
  int64_t end = std::numeric_limits<int64_t>::max();   // the first second after it
};

// The span of a range whose `to` is its last second; a missing bound leaves that side open (an
// open end reaches the last second that can be written).
TimeSpan SpanThrough(std::optional<int64_t> from, std::optional<int64_t> to);

// The SQL condition that picks the rows whose `column` lies in the span bound by BindSpan.
QString SpanCondition(const QString& column);
void BindSpan(QSqlQuery& q, const TimeSpan& span);
