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

  QString& Box(SetupBox b) { return boxes[static_cast<int>(b)]; }
  const QString& Box(SetupBox b) const { return boxes[static_cast<int>(b)]; }
};

// Thresholds with one decimal in the user's regional format, humidity and port as whole numbers.
SetupForm FillSetupForm(const Settings& settings, const QLocale& locale);

struct SetupReading {
  Settings settings;                  // the confirmed values (when no box is faulty)
  std::optional<SetupBox> faultyBox;  // the first box that does not read as its field's number
  QString hint;                       // what to tell the user about that box
};

// Reads the boxes into a copy of `current`: call trimmed and upper-cased, host as typed, port by
// its leading number ("." decimal, halves to even), thresholds in the regional format.
SetupReading ReadSetupForm(const SetupForm& form, const Settings& current, const QLocale& locale);

// The port box: its leading number, blanks ignored, "." decimal, halves to even. Nothing when
// the text does not start with a number or the number is not a port of 0..32767.
std::optional<int16_t> ReadPortBox(const QString& text);

// Whether confirming must close and reopen the connection.
bool NeedsReconnect(const Settings& confirmed, const Settings& current, bool setupAcceptedOnce);
