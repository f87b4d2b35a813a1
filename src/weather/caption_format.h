// How a report's captions are written: the locale's numbers, the decoder's words in the
// program's language and the units, made once for the many reports written with them.
#pragma once

#include <QLocale>
#include <QString>
#include <array>

#include "number_format.h"
#include "unit_system.h"

class CaptionFormat {
 public:
  // The words are looked up in the translators installed now: after the program's language
  // changes, a new CaptionFormat speaks it.
  explicit CaptionFormat(const QLocale& locale);

  const NumberFormat& Numbers() const { return numbers_; }
  const QLocale& Locale() const { return numbers_.Locale(); }
  // UnitOf(system, quantity), looked up once.
  const ShownUnit& Unit(UnitSystem system, Quantity quantity) const {
    return *units_[static_cast<size_t>(system)][static_cast<size_t>(quantity)];
  }
  // The wind caption of a calm: "Calma di vento".
  const QString& WindCalm() const { return windCalm_; }
  // What opens the comment before a pressure change: "Variaz Press in 4h= ".
  const QString& PressChange() const { return pressChange_; }

 private:
  NumberFormat numbers_;
  QString windCalm_;
  QString pressChange_;
  std::array<std::array<const ShownUnit*, QuantityCount>, UnitSystemCount> units_;
};
