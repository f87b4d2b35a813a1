#include "summary_formats.h"

#include <QDateTime>

namespace {

// Indexed by UnitSystem, then Quantity (temperature, speed, pressure, rain).
constexpr int Decimals[UnitSystemCount][QuantityCount] = {{1, 1, 1, 1}, {1, 1, 2, 2}};
const char* const Suffixes[UnitSystemCount][QuantityCount] = {{"c", "kmh", "mb", "mm"},
                                                              {"f", "mph", "inhg", "in"}};

}  // namespace

int SummaryDecimals(UnitSystem units, Quantity quantity) {
  return Decimals[int(units)][int(quantity)];
}

QByteArray SummaryNumber(UnitSystem units, Quantity quantity, double metric) {
  return FixedNumber(ToShown(units, quantity, metric), SummaryDecimals(units, quantity));
}

QByteArray FixedNumber(double value, int decimals) {
  QByteArray text = QByteArray::number(value, 'f', decimals);
  if (text.startsWith('-') && text.toDouble() == 0) text.remove(0, 1);  // -0.04 -> "0.0"
  return text;
}

QByteArray ClockTime(int64_t time, const QTimeZone& zone) {
  return QDateTime::fromSecsSinceEpoch(time, zone).toString(QStringLiteral("HH:mm")).toLatin1();
}

const char* UnitSuffix(UnitSystem units, Quantity quantity) {
  return Suffixes[int(units)][int(quantity)];
}
