#include <QFontDatabase>

#include "design_fonts.h"

namespace {

QString Designed(DesignFont font) {
  switch (font) {
    case DesignFont::Serif:
      return QStringLiteral("Times New Roman");
    case DesignFont::Terminal:
      return QStringLiteral("Terminal");
    case DesignFont::Small:
      return QStringLiteral("Small Fonts");
    case DesignFont::Sans:
      break;
  }
  return QStringLiteral("MS Sans Serif");
}

}  // namespace

QString DesignFamily(DesignFont font) {
  const QString designed = Designed(font);
  return QFontDatabase::hasFamily(designed) ? designed : StandInFamily(font);
}
