// The quarter-hour summary of the reports: each station's aggregates of its plausible readings in
// each quarter of an hour (counts, sums, lowest and highest, the wind as a vector), kept by
// triggers as reports are stored (or deleted, or changed), so that a year's days are read from
// 35,000 rows instead of half a million. Quarters, as every time zone's day begins on one.
// Derived data, like the hourly summary: dropped, it is made again at the next opening.
#pragma once

#include <QStringList>

#include "history_row.h"

inline constexpr int QuarterSeconds = 900;

// The statements that make the tables and triggers, when missing.
QStringList QuarterSchema();
// Whether the table of the sines of 0 to 90 degrees, from which the triggers make the wind's
// vector, must be filled.
QString WindSinesMissingQuery();
// Fills `table` (wind_sines, or a temporary one of that name for a file only read).
QStringList WindSinesFill(const QString& table);
// Whether the summary must be made again from `reports`: it is empty while reports exist.
QString QuarterMissingQuery();
QString QuarterRebuild();

// A span's aggregates, in one order: from the reports themselves or from whole quarters.
QString MeasuresOfReports();
QString MeasuresOfQuarters();
// The quarter's column that holds the column's highest or lowest plausible reading.
QString QuarterExtreme(HistoryColumn column, bool highest);
