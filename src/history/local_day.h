// A local calendar day of a time zone as a span of Unix seconds: from the day's first second
// (not always midnight) to the next day's, 23 or 25 hours long on a change of clocks.
#pragma once

#include <QDate>
#include <QTimeZone>

#include "history_span.h"

TimeSpan LocalDay(QDate date, const QTimeZone& zone);
// The local date of Unix time `time`.
QDate LocalDate(int64_t time, const QTimeZone& zone);
