#include "alarm_settings_file.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <vector>

#include "number_text.h"

namespace {

constexpr int AlarmItemCount = 14;

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Items end at a comma or a line end; a line end straight after another item end adds no item,
// so blank lines and the final CR LF are no empty items. Blanks around an item are dropped.
std::vector<QString> SplitItems(const QByteArray& content) {
  std::vector<QString> items;
  QByteArray item;
  bool afterEnd = true;
  for (char c : content) {
    if (c == ',' || (IsLineEnd(c) && !afterEnd)) {
      items.push_back(QString::fromLatin1(item).trimmed());
      item.clear();
      afterEnd = true;
    } else if (!IsLineEnd(c)) {
      item += c;
      afterEnd = false;
    }
  }
  if (!afterEnd) items.push_back(QString::fromLatin1(item).trimmed());
  return items;
}

bool ReadTruth(const QString& item) {
  const QString t = item.toUpper();
  if (t == QLatin1String("#TRUE#") || t == QLatin1String("TRUE")) return true;
  if (t == QLatin1String("#FALSE#") || t == QLatin1String("FALSE")) return false;
  return ReadLeadingNumber(item) != 0;
}

std::optional<float> ReadSingle(const QString& item) {
  const double v = ReadLeadingNumber(item);
  if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(v);
}

QByteArray Truth(bool b) {
  return b ? "#TRUE#" : "#FALSE#";
}
QByteArray Number(float f) {
  return FormatPlainNumber(f).toLatin1();
}
QByteArray Whole(int16_t i) {
  return QByteArray::number(i);
}

}  // namespace

std::optional<Settings> ParseAlarmSettings(const QByteArray& content, const Settings& base) {
  const std::vector<QString> items = SplitItems(content);
  if (items.size() < AlarmItemCount) return std::nullopt;
  Settings s = base;
  s.BeepOnData = ReadTruth(items[0]);
  s.FocusOnData = ReadTruth(items[1]);
  s.BeepOnAlarm = ReadTruth(items[2]);
  s.FocusOnAlarm = ReadTruth(items[3]);
  const auto loTemp = ReadSingle(items[4]), hiTemp = ReadSingle(items[5]);
  const auto loHum = ToInt16(ReadLeadingNumber(items[6]));
  const auto hiHum = ToInt16(ReadLeadingNumber(items[7]));
  const auto loBaro = ReadSingle(items[8]), hiBaro = ReadSingle(items[9]);
  const auto rainHour = ReadSingle(items[10]), rain24 = ReadSingle(items[11]);
  const auto wind = ReadSingle(items[12]), gust = ReadSingle(items[13]);
  if (!loTemp || !hiTemp || !loHum || !hiHum || !loBaro || !hiBaro || !rainHour || !rain24 ||
      !wind || !gust)
    return std::nullopt;
  s.LoTemp = *loTemp;
  s.HiTemp = *hiTemp;
  s.LoHum = *loHum;
  s.HiHum = *hiHum;
  s.LoBaro = *loBaro;
  s.HiBaro = *hiBaro;
  s.HiRainHour = *rainHour;
  s.HiRain24 = *rain24;
  s.HiWind = *wind;
  s.HiGust = *gust;
  return s;
}

QByteArray FormatAlarmSettings(const Settings& s) {
  const QByteArray crlf = "\r\n";
  QByteArray out;
  out += Truth(s.BeepOnData) + ',' + Truth(s.FocusOnData) + ',' + Truth(s.BeepOnAlarm) + ',' +
         Truth(s.FocusOnAlarm) + crlf;
  out += Number(s.LoTemp) + ',' + Number(s.HiTemp) + ',' + Whole(s.LoHum) + ',' + Whole(s.HiHum) +
         crlf;
  out += Number(s.LoBaro) + ',' + Number(s.HiBaro) + ',' + Number(s.HiRainHour) + ',' +
         Number(s.HiRain24) + crlf;
  out += Number(s.HiWind) + ',' + Number(s.HiGust) + crlf;
  return out;
}

bool ReadAlarmSettingsFile(const QString& path, Settings& settings) {
  QFile file(path);
  std::optional<Settings> read;
  if (file.open(QIODevice::ReadOnly)) read = ParseAlarmSettings(file.readAll(), settings);
  if (read) {
    settings = *read;
    return true;
  }
  ApplyDefaultAlarms(settings);
  return false;
}

bool KeepFaultyAlarmsFile(const QString& path) {
  if (!QFile::exists(path)) return true;
  const QString backup = path + QStringLiteral(".bak");
  QFile::remove(backup);
  return QFile::copy(path, backup);
}

bool WriteAlarmSettingsFile(const QString& path, const Settings& settings) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray content = FormatAlarmSettings(settings);
  if (file.write(content) != content.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
