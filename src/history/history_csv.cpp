#include "history_csv.h"

namespace {

// A field that holds a separator, a quote or a line end is quoted, its quotes doubled.
QByteArray Field(const QString& text) {
  QByteArray bytes = text.toUtf8();
  if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
      !bytes.contains('\r'))
    return bytes;
  bytes.replace("\"", "\"\"");
  return '"' + bytes + '"';
}

}  // namespace

QByteArray CsvHeader() {
  QByteArray line = "time,station,info";
  for (int c = 0; c < HistoryColumnCount; ++c)
    line += ',' + QByteArray(ColumnName(HistoryColumn(c)));
  return line + '\n';
}

QByteArray CsvLine(const HistoryRow& row) {
  QByteArray line = IsoUtc(row.time).toLatin1() + ',' + Field(row.station) + ',' + Field(row.info);
  for (int c = 0; c < HistoryColumnCount; ++c) {
    line += ',';
    if (const auto& v = row.values[size_t(c)]) line += ValueText(HistoryColumn(c), *v);
  }
  return line + '\n';
}
