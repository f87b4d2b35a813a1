#include "setup_form.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

#include "command_line.h"
#include "number_text.h"

namespace {

// The boxes that hold a single-precision limit, with what each measures.
struct LimitBox {
  SetupBox box;
  float Settings::*field;
  Quantity quantity;
};
constexpr LimitBox LimitBoxes[] = {
    {SetupBox::HiWind, &Settings::HiWind, Quantity::Speed},
    {SetupBox::HiGust, &Settings::HiGust, Quantity::Speed},
    {SetupBox::LoTemp, &Settings::LoTemp, Quantity::Temperature},
    {SetupBox::HiTemp, &Settings::HiTemp, Quantity::Temperature},
    {SetupBox::LoBaro, &Settings::LoBaro, Quantity::Pressure},
    {SetupBox::HiBaro, &Settings::HiBaro, Quantity::Pressure},
    {SetupBox::HiRainHour, &Settings::HiRainHour, Quantity::Rain},
    {SetupBox::HiRain24, &Settings::HiRain24, Quantity::Rain},
};

const LimitBox* LimitOf(SetupBox b) {
  for (const LimitBox& limit : LimitBoxes)
    if (limit.box == b) return &limit;
  return nullptr;
}

// Metric limits keep the one decimal they always had; imperial ones take the table's decimals.
QString LimitText(const LimitBox& limit, float metric, UnitSystem units, const QLocale& locale) {
  if (units == UnitSystem::Metric) return locale.toString(double(metric), 'f', 1);
  return locale.toString(ToShown(units, limit.quantity, metric), 'f',
                         UnitOf(units, limit.quantity).decimals);
}

QString TrimBlanks(const QString& s) {
  qsizetype first = 0, last = s.size();
  while (first < last && s[first] == u' ') ++first;
  while (last > first && s[last - 1] == u' ') --last;
  return s.mid(first, last - first);
}

std::optional<float> ReadThreshold(const QString& text, const QLocale& locale, UnitSystem units,
                                   Quantity quantity) {
  bool ok = false;
  const double shown = locale.toDouble(text.trimmed(), &ok);
  const double v = ToMetric(units, quantity, shown);
  if (!ok || !std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(v);
}

// The limit the box gives: the current one while the box shows it unchanged in imperial units.
std::optional<float> ReadLimit(const LimitBox& limit, const SetupForm& form,
                               const Settings& current, const QLocale& locale) {
  const QString& text = form.Box(limit.box);
  const float now = current.*limit.field;
  if (form.units != UnitSystem::Metric && text == LimitText(limit, now, form.units, locale))
    return now;
  return ReadThreshold(text, locale, form.units, limit.quantity);
}

std::optional<int16_t> ReadHumidity(const QString& text, const QLocale& locale) {
  bool ok = false;
  const double v = locale.toDouble(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return ToInt16(v);
}

// The example reads back in the boxes' own regional format.
QString ThresholdHint(const QLocale& locale) {
  return QCoreApplication::translate("SetupForm", "Scrivere un numero, per esempio %1")
      .arg(locale.toString(12.5, 'f', 1));
}

}  // namespace

SetupForm FillSetupForm(const Settings& s, const QLocale& locale) {
  SetupForm form;
  form.call = s.StationCall;
  form.host = s.AgwHost;
  form.units = s.Units;
  for (const LimitBox& limit : LimitBoxes)
    form.Box(limit.box) = LimitText(limit, s.*limit.field, s.Units, locale);
  form.Box(SetupBox::LoHum) = QString::number(s.LoHum);
  form.Box(SetupBox::HiHum) = QString::number(s.HiHum);
  form.Box(SetupBox::Port) = QString::number(s.AgwPort);
  form.focusOnData = s.FocusOnData;
  form.beepOnData = s.BeepOnData;
  form.focusOnAlarm = s.FocusOnAlarm;
  form.beepOnAlarm = s.BeepOnAlarm;
  form.saveAlarms = s.SaveAlarms;
  return form;
}

namespace {

// Whether the text, blanks aside, starts with a number: a sign alone or letters do not.
bool StartsWithNumber(const QString& text) {
  QString bare = text;
  bare.remove(u' ').remove(u'\t').remove(u'\n');
  qsizetype at = bare.startsWith(u'-') || bare.startsWith(u'+') ? 1 : 0;
  if (at < bare.size() && bare[at] == u'.') ++at;
  return at < bare.size() && bare[at] >= u'0' && bare[at] <= u'9';
}

}  // namespace

std::optional<int16_t> ReadPortBox(const QString& text) {
  if (!StartsWithNumber(text)) return std::nullopt;
  const auto port = ToInt16(ReadLeadingNumber(text));
  if (!port || *port < 0) return std::nullopt;
  return port;
}

SetupReading ReadSetupForm(const SetupForm& form, const Settings& current, const QLocale& locale) {
  SetupReading r{current, std::nullopt, QString()};
  Settings& s = r.settings;
  s.StationCall = UpperCaseCall(TrimBlanks(form.call));
  s.AgwHost = form.host;
  s.FocusOnData = form.focusOnData;
  s.BeepOnData = form.beepOnData;
  s.FocusOnAlarm = form.focusOnAlarm;
  s.BeepOnAlarm = form.beepOnAlarm;
  s.SaveAlarms = form.saveAlarms;
  const auto fault = [&r](SetupBox b, const QString& hint) {
    if (!r.faultyBox) r = {r.settings, b, hint};
  };
  for (int i = 0; i < SetupBoxCount; ++i) {
    const auto box = static_cast<SetupBox>(i);
    const QString& text = form.Box(box);
    if (const LimitBox* limit = LimitOf(box)) {
      if (const auto v = ReadLimit(*limit, form, current, locale))
        s.*limit->field = *v;
      else
        fault(box, ThresholdHint(locale));
    } else if (box == SetupBox::LoHum || box == SetupBox::HiHum) {
      const auto v = ReadHumidity(text, locale);
      if (v)
        (box == SetupBox::LoHum ? s.LoHum : s.HiHum) = *v;
      else
        fault(box,
              QCoreApplication::translate("SetupForm", "Scrivere un numero intero di umidità (%)"));
    } else if (const auto port = ReadPortBox(text)) {
      s.AgwPort = *port;
    } else {
      fault(box, QCoreApplication::translate("SetupForm", "Scrivere una porta TCP da 0 a 32767"));
    }
  }
  return r;
}

bool NeedsReconnect(const Settings& confirmed, const Settings& current, bool setupAcceptedOnce) {
  return confirmed.AgwHost != current.AgwHost || confirmed.StationCall != current.StationCall ||
         confirmed.AgwPort != current.AgwPort || !setupAcceptedOnce;
}
