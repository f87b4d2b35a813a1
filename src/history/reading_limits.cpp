#include "reading_limits.h"

namespace {

struct Limit {
  HistoryColumn column;
  double lowest, highest;
};

// What a station can measure; every other column takes any value.
constexpr Limit Limits[] = {
    {HistoryColumn::TempC, -60, 60},        {HistoryColumn::HumidityPct, 1, 100},
    {HistoryColumn::PressureMb, 870, 1090}, {HistoryColumn::WindKmh, 0, 400},
    {HistoryColumn::GustKmh, 0, 400},       {HistoryColumn::Rain1hMm, 0, 250},
};

const Limit* LimitOf(HistoryColumn column) {
  for (const Limit& limit : Limits)
    if (limit.column == column) return &limit;
  return nullptr;
}

}  // namespace

bool IsPlausible(HistoryColumn column, double value) {
  const Limit* limit = LimitOf(column);
  return !limit || (value >= limit->lowest && value <= limit->highest);
}

QString PlausibleSql(HistoryColumn column) {
  const QString name = QLatin1String(ColumnName(column));
  const Limit* limit = LimitOf(column);
  if (!limit) return name;
  return QStringLiteral("(CASE WHEN %1 BETWEEN %2 AND %3 THEN %1 END)")
      .arg(name)
      .arg(limit->lowest)
      .arg(limit->highest);
}
