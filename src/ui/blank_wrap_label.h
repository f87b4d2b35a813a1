// A label that breaks its lines only at blanks and line breaks, never inside a word.
#pragma once

#include <QLabel>
#include <QStringList>
#include <functional>

// The lines of `text` within `width`: hard breaks at LF (a CR before it is dropped), further
// breaks only at blanks, never between a name and its value ("Dp -3.3°C"). A word wider than the
// width stays whole on a line of its own.
QStringList WrapAtBlanks(const QString& text, int width,
                         const std::function<int(const QString&)>& measure);

// Qt's own word wrap also breaks after "/" ("8.3g/" then "m³"); this label keeps "8.3g/m³"
// whole. Its text stays exactly the caption it was given.
class BlankWrapLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
