// The readings no station can have measured: kept in the history, left out of every summary.
#pragma once

#include <QString>

#include "history_row.h"

// Whether `value` of `column` lies within what a station can measure. Columns without limits
// accept every value.
bool IsPlausible(HistoryColumn column, double value);

// The SQL expression that gives the column's reading when it is plausible and NULL otherwise,
// for aggregates that must leave implausible readings out.
QString PlausibleSql(HistoryColumn column);
