#pragma once
#include <QDialog>
#include <functional>

#include "search/TSearchCommands.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The non-modal find dialog: a search text, match case and the direction. Its texts and options stay
// between uses; its button calls OnFind.
class TFindDialog : public QDialog {
  Q_OBJECT
public:
  explicit TFindDialog(QWidget* parent = nullptr);
  TFindOptions Options() const;
  std::function<void()> OnFind;

private:
  QLineEdit* findText_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* down_ = nullptr;
};

// The non-modal replace dialog: search and replacement texts and match case; it always searches down.
class TReplaceDialog : public QDialog {
  Q_OBJECT
public:
  explicit TReplaceDialog(QWidget* parent = nullptr);
  TReplaceOptions Options() const;
  std::function<void()> OnFind;
  std::function<void(bool all)> OnReplace;

private:
  QLineEdit* findText_ = nullptr;
  QLineEdit* replaceText_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
};
