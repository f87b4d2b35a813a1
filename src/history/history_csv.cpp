#include "history_csv.h"

#include <string_view>

namespace {

// The first characters by which a spreadsheet recognises a formula.
constexpr char FormulaStarts[] = "=+-@\t\r";
constexpr char ShownAsText = '\'';

// A field that holds a separator, a quote or a line end is quoted, its quotes doubled.
QByteArray Field(const QString& text, CsvCells cells) {
  QByteArray bytes = text.toUtf8();
  if (cells == CsvCells::ForSpreadsheets && !bytes.isEmpty() &&
      std::string_view(FormulaStarts).find(bytes[0]) != std::string_view::npos)
    bytes.prepend(ShownAsText);
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

QByteArray CsvLine(const HistoryRow& row, CsvCells cells) {
  QByteArray line =
      IsoUtc(row.time).toLatin1() + ',' + Field(row.station, cells) + ',' + Field(row.info, cells);
  for (int c = 0; c < HistoryColumnCount; ++c) {
    line += ',';
    if (const auto& v = row.values[size_t(c)]) line += ValueText(HistoryColumn(c), *v);
  }
  return line + '\n';
}
