// The font families the windows were designed with, or what stands in for them here.
#pragma once

#include <QString>

enum class DesignFont {
  Sans,      // MS Sans Serif: most labels, the dialogs
  Serif,     // Times New Roman: the temperature
  Terminal,  // Terminal: the status line
  Small      // Small Fonts: the Rx window
};

// The family the windows use for this role on this system.
QString DesignFamily(DesignFont font);

// What stands in where the designed family is missing: the choices of the Linux build.
QString StandInFamily(DesignFont font);
