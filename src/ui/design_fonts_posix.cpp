#include "design_fonts.h"

QString DesignFamily(DesignFont font) {
  return StandInFamily(font);
}
