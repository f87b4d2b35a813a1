#include "design_fonts.h"

// Liberation's metric-compatible families, from Debian's fonts-liberation2.
QString StandInFamily(DesignFont font) {
  switch (font) {
    case DesignFont::Serif:
      return QStringLiteral("Liberation Serif");
    case DesignFont::Terminal:
      return QStringLiteral("Liberation Mono");
    case DesignFont::Sans:
    case DesignFont::Small:
      break;
  }
  return QStringLiteral("Liberation Sans");
}
