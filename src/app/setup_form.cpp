#include "setup_form.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

#include "command_line.h"
#include "number_text.h"

namespace {

constexpr SetupBox SingleBoxes[] = {SetupBox::HiWind,     SetupBox::HiGust,  SetupBox::LoTemp,
                                    SetupBox::HiTemp,     SetupBox::LoBaro,  SetupBox::HiBaro,
                                    SetupBox::HiRainHour, SetupBox::HiRain24};

float* SingleField(Settings& s, SetupBox b) {
  switch (b) {
    case SetupBox::HiWind:
      return &s.HiWind;
    case SetupBox::HiGust:
      return &s.HiGust;
    case SetupBox::LoTemp:
      return &s.LoTemp;
    case SetupBox::HiTemp:
      return &s.HiTemp;
    case SetupBox::LoBaro:
      return &s.LoBaro;
    case SetupBox::HiBaro:
      return &s.HiBaro;
    case SetupBox::HiRainHour:
      return &s.HiRainHour;
    case SetupBox::HiRain24:
      return &s.HiRain24;
    default:
      return nullptr;
  }
}

QString TrimBlanks(const QString& s) {
  qsizetype first = 0, last = s.size();
  while (first < last && s[first] == u' ') ++first;
  while (last > first && s[last - 1] == u' ') --last;
  return s.mid(first, last - first);
}

std::optional<float> ReadThreshold(const QString& text, const QLocale& locale) {
  bool ok = false;
  const double v = locale.toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(v);
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
  Settings copy = s;
  for (SetupBox b : SingleBoxes)
    form.Box(b) = locale.toString(double(*SingleField(copy, b)), 'f', 1);
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
    if (float* field = SingleField(s, box)) {
      if (const auto v = ReadThreshold(text, locale))
        *field = *v;
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
