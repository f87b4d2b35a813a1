// The setup dialog's boxes as text: filling them from the settings and reading them back.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "settings.h"

// The number boxes in tab order; the first faulty one gets the focus when a confirmation fails.
enum class SetupBox {
  HiWind,
  HiGust,
  LoTemp,
  HiTemp,
  LoHum,
  HiHum,
  LoBaro,
  HiBaro,
  HiRainHour,
  HiRain24,
  Port
};
inline constexpr int SetupBoxCount = 11;

struct SetupForm {
  QString call, host;
  std::array<QString, SetupBoxCount> boxes;  // indexed by SetupBox
  bool focusOnData = false, beepOnData = false, focusOnAlarm = false, beepOnAlarm = false;
  bool saveAlarms = false;
  // The units the limit boxes are shown and typed in; WxAlarms.ini stays metric.
  UnitSystem units = UnitSystem::Metric;

  QString& Box(SetupBox b) { return boxes[static_cast<int>(b)]; }
  const QString& Box(SetupBox b) const { return boxes[static_cast<int>(b)]; }
};

// Thresholds in the user's regional format, humidity and port as whole numbers. Metric
// thresholds show one decimal; imperial ones are converted and show the unit table's decimals.
SetupForm FillSetupForm(const Settings& settings, const QLocale& locale);

struct SetupReading {
  Settings settings;                  // the confirmed values (when no box is faulty)
  std::optional<SetupBox> faultyBox;  // the first box that does not read as its field's number
  QString hint;                       // what to tell the user about that box
};

// Reads the boxes into a copy of `current`: call trimmed and upper-cased, host as typed, port by
// its leading number ("." decimal, halves to even), thresholds in the regional format. An
// imperial threshold is converted back to metric, unless its box still holds what FillSetupForm
// showed for `current`: then the limit is kept exactly, never rounded through a conversion.
SetupReading ReadSetupForm(const SetupForm& form, const Settings& current, const QLocale& locale);

// The port box: its leading number, blanks ignored, "." decimal, halves to even. Nothing when
// the text does not start with a number or the number is not a port of 0..32767.
std::optional<int16_t> ReadPortBox(const QString& text);

// Whether confirming must close and reopen the connection.
bool NeedsReconnect(const Settings& confirmed, const Settings& current, bool setupAcceptedOnce);
