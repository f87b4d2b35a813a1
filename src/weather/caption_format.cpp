#include "caption_format.h"

#include <QCoreApplication>

CaptionFormat::CaptionFormat(const QLocale& locale)
    : numbers_(locale),
      windCalm_(QCoreApplication::translate("ReportDecoder", "Calma di vento")),
      pressChange_(QCoreApplication::translate("ReportDecoder", "Variaz Press in 4h= ")) {}
