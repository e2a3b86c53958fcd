#pragma once
#include <QDialog>

class Shell;

// The About box: the program's caption, its supporting texts, and the maker's web and mail addresses,
// which open in the desktop's programs when clicked.
class TAbout : public QDialog {
  Q_OBJECT
public:
  explicit TAbout(Shell& shell, QWidget* parent = nullptr);
};
