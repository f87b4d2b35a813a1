// The main window's controls in their design-time state: geometry in twips, colours, fonts.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <array>

#include "picture_box.h"
#include "shape_widget.h"

// The client area at start, in twips; List2 lies just below it and shows only when the window
// grows.
inline constexpr int DesignClientWidth = 3180;
inline constexpr int DesignClientHeight = 1455;

struct MainWindowControls {
  PictureBox* picWx = nullptr;
  ShapeWidget* Shape1 = nullptr;
  ShapeWidget* Shape2 = nullptr;
  QLabel* lblElapsed = nullptr;
  std::array<QLabel*, 4> lblCardinals{};
  QLabel* lblCalm = nullptr;
  QLabel* lblWxData = nullptr;
  QLabel* lblTemp = nullptr;
  QLabel* lblUR = nullptr;
  QLabel* lblPress = nullptr;
  QLabel* lblRain = nullptr;
  QLabel* lblWxComment = nullptr;
  std::array<PictureBox*, 3> picVar{};
  QListWidget* List2 = nullptr;
};

// The window's own font: the closest free match of MS Sans Serif 8.25 pt bold.
QFont WindowFont();

// Creates every visible control of the main window on `window`.
MainWindowControls BuildMainWindowControls(QWidget* window);
