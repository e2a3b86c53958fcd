#pragma once
#include <QWidget>

#include "platform/Color.h"

// The sixteen basic colours as a grid of four rows of four. A click with the left button marks the
// foreground colour ("FG"), one with the right button the background colour ("BG"); both marks may sit
// on one square. Changed fires on every change of a mark, also when it is set from code.
class ColorGrid : public QWidget {
  Q_OBJECT
public:
  static constexpr int kCell = 22;
  explicit ColorGrid(QWidget* parent = nullptr);

  int ForegroundIndex() const { return foreground_; }
  int BackgroundIndex() const { return background_; }
  // -1, or a colour that is none of the sixteen, removes the mark.
  void SetForegroundIndex(int index);
  void SetBackgroundIndex(int index);
  TColor ForegroundColor() const;
  TColor BackgroundColor() const;
  // The square of a colour index, for tests that click it.
  QRect CellRect(int index) const;

  QSize sizeHint() const override { return {4 * kCell + 1, 4 * kCell + 1}; }

signals:
  void Changed();

protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

private:
  int foreground_ = -1;
  int background_ = -1;
};
