// Stored reports as CSV: a header of the table's column names, one line a report, `time` in
// ISO 8601 UTC, empty fields for missing readings, numbers with "." as the decimal separator.
#pragma once

#include <QByteArray>

#include "history_row.h"

QByteArray CsvHeader();
// One line, its "\n" included.
QByteArray CsvLine(const HistoryRow& row);
