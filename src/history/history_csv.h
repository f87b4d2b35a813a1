// Stored reports as CSV: a header of the table's column names, one line a report, `time` in
// ISO 8601 UTC, empty fields for missing readings, numbers with "." as the decimal separator.
#pragma once

#include <QByteArray>

#include "history_row.h"

// Who reads the text cells: a program gets them exactly as stored; a spreadsheet would run a
// cell that starts like a formula (an APRS position starts with "="), so for it such a cell
// starts with an apostrophe, which spreadsheets show as text.
enum class CsvCells { Raw, ForSpreadsheets };

QByteArray CsvHeader();
// One line, its "\n" included.
QByteArray CsvLine(const HistoryRow& row, CsvCells cells = CsvCells::Raw);
