// `ventora-cli history`: the stored reports of the history file as CSV or JSON lines, or the
// stations it holds.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <optional>

class HistoryStore;

enum class HistoryFormat { Csv, Jsonl };

struct HistoryCommandOptions {
  QString file;     // empty: where the window keeps it for this user
  QString station;  // empty: every station
  std::optional<int64_t> from, to;
  HistoryFormat format = HistoryFormat::Csv;
  bool stations = false;  // list the stations instead of the reports
};

// A time given on the command line, ISO 8601: local time unless it ends in Z or gives its
// offset; a date alone is its midnight. Nothing when the text is no such time.
std::optional<int64_t> ParseCommandTime(const QString& text);

// Whether the file holds reports of `station`; false with `error` set when it cannot be read.
bool HasStation(HistoryStore& store, const QString& station, QString& error);

// Fills `options` from the words after "history"; returns an error text or nothing.
QString ParseHistoryOptions(const QStringList& args, HistoryCommandOptions& options);

// Writes the export to `out`. A file that cannot be read or output that cannot be written is
// said on `err` and gives 2; a station the file does not hold gives 1; an export without rows
// is said on `err`.
int RunHistory(const HistoryCommandOptions& options, std::FILE* out, std::FILE* err);
