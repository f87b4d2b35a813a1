// A circle laid over the compass: the ring (outline only) or the hub (filled).
#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  ShapeWidget(QWidget* parent, const QColor& outline, std::optional<QColor> fill);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor outline_;
  std::optional<QColor> fill_;
};
