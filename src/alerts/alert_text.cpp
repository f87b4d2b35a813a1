#include "alert_text.h"

#include <QCoreApplication>
#include <optional>

#include "label_text.h"

namespace {

const char* const QuantityNames[] = {
    "temp-high",    "temp-low",  "humidity-high", "humidity-low", "pressure-high",
    "pressure-low", "rain-hour", "rain-24h",      "wind",         "gust"};

// The texts are marked where they stand, in this context, for lupdate to find them.
QString Tr(const char* text) {
  return QCoreApplication::translate("AlertText", text);
}

// The unit a quantity is shown in; humidity has none of its own.
std::optional<Quantity> ShownQuantity(AlarmQuantity q) {
  switch (q) {
    case AlarmQuantity::TempHigh:
    case AlarmQuantity::TempLow:
      return Quantity::Temperature;
    case AlarmQuantity::PressureHigh:
    case AlarmQuantity::PressureLow:
      return Quantity::Pressure;
    case AlarmQuantity::RainHour:
    case AlarmQuantity::Rain24h:
      return Quantity::Rain;
    case AlarmQuantity::Wind:
    case AlarmQuantity::Gust:
      return Quantity::Speed;
    case AlarmQuantity::HumidityHigh:
    case AlarmQuantity::HumidityLow:
      break;
  }
  return std::nullopt;
}

QString QuantityWord(AlarmQuantity q) {
  switch (q) {
    case AlarmQuantity::TempHigh:
    case AlarmQuantity::TempLow:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "temperatura"));
    case AlarmQuantity::HumidityHigh:
    case AlarmQuantity::HumidityLow:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "umidità"));
    case AlarmQuantity::PressureHigh:
    case AlarmQuantity::PressureLow:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "pressione"));
    case AlarmQuantity::RainHour:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "pioggia in un'ora"));
    case AlarmQuantity::Rain24h:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "pioggia in 24 ore"));
    case AlarmQuantity::Wind:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "vento"));
    case AlarmQuantity::Gust:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "raffica"));
  }
  return QString();
}

bool IsLowLimit(AlarmQuantity q) {
  return q == AlarmQuantity::TempLow || q == AlarmQuantity::HumidityLow ||
         q == AlarmQuantity::PressureLow;
}

// A metric reading in the user's units, with the unit's decimals and symbol: "38,2 °C".
QString Reading(AlarmQuantity q, float metric, const QLocale& locale, UnitSystem units) {
  const std::optional<Quantity> shown = ShownQuantity(q);
  if (!shown) return FormatNumber(locale, metric, 0) + QStringLiteral("%");
  const ShownUnit& unit = UnitOf(units, *shown);
  return FormatNumber(locale, ToShown(units, *shown, metric), unit.decimals) + QChar(u' ') +
         unit.symbol;
}

QString AlarmText(const Alert& a, const QString& station, const QLocale& locale, UnitSystem units) {
  const char* text =
      a.kind == AlertKind::AlarmCleared
          ? QT_TRANSLATE_NOOP("AlertText", "%1: %2 %3, di nuovo entro il limite di %4")
      : IsLowLimit(a.alarm.quantity)
          ? QT_TRANSLATE_NOOP("AlertText", "%1: %2 %3, sotto il limite di %4")
          : QT_TRANSLATE_NOOP("AlertText", "%1: %2 %3, oltre il limite di %4");
  return Tr(text).arg(station, QuantityWord(a.alarm.quantity),
                      Reading(a.alarm.quantity, a.alarm.value, locale, units),
                      Reading(a.alarm.quantity, a.alarm.limit, locale, units));
}

}  // namespace

QString AlertEventName(AlertKind kind) {
  switch (kind) {
    case AlertKind::Silent:
      return QStringLiteral("silent");
    case AlertKind::Heard:
      return QStringLiteral("heard");
    case AlertKind::EngineLost:
      return QStringLiteral("engine-lost");
    case AlertKind::EngineBack:
      return QStringLiteral("engine-back");
    case AlertKind::Alarm:
      return QStringLiteral("alarm");
    case AlertKind::AlarmCleared:
      return QStringLiteral("alarm-cleared");
  }
  return QString();
}

QString AlarmQuantityName(AlarmQuantity quantity) {
  return QLatin1String(QuantityNames[static_cast<size_t>(quantity)]);
}

QString MetricNumber(AlarmQuantity quantity, float value) {
  const std::optional<Quantity> shown = ShownQuantity(quantity);
  const int decimals = shown ? UnitOf(UnitSystem::Metric, *shown).decimals : 0;
  return QString::number(double(value), 'f', decimals);
}

QString AlertText(const Alert& alert, const QString& station, const QLocale& locale,
                  UnitSystem units) {
  const QString minutes = locale.toString(alert.minutes);
  const bool one = alert.minutes == 1;
  switch (alert.kind) {
    case AlertKind::Silent:
      return one ? Tr(QT_TRANSLATE_NOOP("AlertText", "%1 non trasmette da un minuto")).arg(station)
                 : Tr(QT_TRANSLATE_NOOP("AlertText", "%1 non trasmette da %2 minuti"))
                       .arg(station, minutes);
    case AlertKind::Heard:
      return one ? Tr(QT_TRANSLATE_NOOP("AlertText",
                                        "%1 trasmette di nuovo, dopo un minuto di silenzio"))
                       .arg(station)
                 : Tr(QT_TRANSLATE_NOOP("AlertText",
                                        "%1 trasmette di nuovo, dopo %2 minuti di silenzio"))
                       .arg(station, minutes);
    case AlertKind::EngineLost:
      return one ? Tr(QT_TRANSLATE_NOOP("AlertText", "AGWPE non risponde da un minuto"))
                 : Tr(QT_TRANSLATE_NOOP("AlertText", "AGWPE non risponde da %1 minuti"))
                       .arg(minutes);
    case AlertKind::EngineBack:
      return Tr(QT_TRANSLATE_NOOP("AlertText", "AGWPE risponde di nuovo"));
    case AlertKind::Alarm:
    case AlertKind::AlarmCleared:
      return AlarmText(alert, station, locale, units);
  }
  return QString();
}

QString TestAlertText(const QString& station) {
  return Tr(QT_TRANSLATE_NOOP("AlertText", "Prova degli avvisi di Ventora per %1")).arg(station);
}

bool NotifiesDesktop(AlertKind kind) {
  return kind != AlertKind::AlarmCleared;
}
