// A one-line label that always shows its whole text, drawn smaller when the text is too wide.
#pragma once

#include <QLabel>

// The designed fonts' stand-ins are wider, and a station's comment may be of any length: the
// label keeps its own font for texts that fit and draws a longer one in a smaller size of it.
// Only below the smallest size is the text cut, with "…" at its end.
class FittedLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

  // The font the text is drawn in: the label's own, made smaller until the text fits the
  // contents rectangle.
  QFont ShownFont() const;
  // The text as drawn: whole, unless it is too wide even in the smallest font.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
