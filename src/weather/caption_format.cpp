#include "caption_format.h"

#include <QCoreApplication>

CaptionFormat::CaptionFormat(const QLocale& locale)
    : numbers_(locale),
      windCalm_(QCoreApplication::translate("ReportDecoder", "Calma di vento")),
      pressChange_(QCoreApplication::translate("ReportDecoder", "Variaz Press in 4h= ")) {
  for (size_t system = 0; system < units_.size(); ++system)
    for (size_t quantity = 0; quantity < units_[system].size(); ++quantity)
      units_[system][quantity] = &UnitOf(UnitSystem(system), Quantity(quantity));
}
