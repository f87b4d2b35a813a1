// A drawing surface that replays the compass and arrow drawing steps (in twips) with QPainter.
#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "compass_drawing.h"

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(QWidget* parent, const QColor& background, const QColor& drawColour, double penTwips);

  // Adds the steps to what the picture holds; a Clear step erases everything before it.
  void Draw(const Drawing& steps);
  void Clear() { Draw({DrawOp{}}); }
  const std::vector<DrawOp>& Steps() const { return steps_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<DrawOp> steps_;  // what the picture holds since its last Clear
  QColor drawColour_;
  double penTwips_;
};
