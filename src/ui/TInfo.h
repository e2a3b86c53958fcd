#pragma once
#include <QDialog>

class Shell;

// The short note shown when the Polish interface closes: one of twelve texts at random, and the
// maker's web address.
class TInfo : public QDialog {
  Q_OBJECT
public:
  explicit TInfo(Shell& shell, QWidget* parent = nullptr);
  static constexpr int TextCount = 12;
  static QString Text(int index);
};
