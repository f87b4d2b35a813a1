// `ventora-cli summary`: a station's day, month or year, or its records, from the history file,
// as JSON, plain text or the NOAA-style text.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "unit_system.h"

enum class SummaryPeriod { None, Day, Month, Year, Records };
enum class SummaryFormat { Json, Text, Noaa };

struct SummaryCommandOptions {
  QString file;  // empty: where the window keeps it for this user
  QString station;
  SummaryPeriod period = SummaryPeriod::None;
  QDate date;  // the day, the month's first day or the year's
  SummaryFormat format = SummaryFormat::Json;
  UnitSystem units = UnitSystem::Metric;
  QDate today;  // the records' "today"; invalid: the local date now
};

// Fills `options` from the words after "summary"; returns an error text or nothing.
QString ParseSummaryOptions(const QStringList& args, SummaryCommandOptions& options);

// Writes the summary to `out`, in the local time zone (TZ honoured). A file that cannot be read,
// a station it does not hold or output that cannot be written is said on `err` and gives 2.
int RunSummary(const SummaryCommandOptions& options, std::FILE* out, std::FILE* err);
