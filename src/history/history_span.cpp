#include "history_span.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const QString From = QStringLiteral(":span_from");
const QString End = QStringLiteral(":span_end");

}  // namespace

TimeSpan SpanThrough(std::optional<int64_t> from, std::optional<int64_t> to) {
  TimeSpan span;
  if (from) span.from = *from;
  if (to && *to < span.end) span.end = *to + 1;
  return span;
}

QString SpanCondition(const QString& column) {
  return QStringLiteral("%1 >= %2 AND %1 < %3").arg(column, From, End);
}

void BindSpan(QSqlQuery& q, const TimeSpan& span) {
  q.bindValue(From, qlonglong(span.from));
  q.bindValue(End, qlonglong(span.end));
}
