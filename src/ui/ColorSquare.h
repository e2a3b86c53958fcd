#pragma once
#include <QAbstractButton>
#include <QColor>

// One square of the colour bar: a 13 x 13 bevelled swatch (or a caption such as "X") that looks
// lowered while the mouse holds it down.
class ColorSquare : public QAbstractButton {
  Q_OBJECT
public:
  ColorSquare(const QColor& color, const QString& caption, QWidget* parent = nullptr);
  QColor Color() const { return color_; }
  QSize sizeHint() const override { return {13, 13}; }

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QColor color_;
};
