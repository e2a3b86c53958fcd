#pragma once
#include <QDialog>
#include <string>

class QComboBox;
class QPushButton;
class Shell;

// The modal dialog that asks for a search pattern. It is created once and kept, so the pattern and the
// list of patterns used before stay from one search to the next.
class TSearchRegular : public QDialog {
  Q_OBJECT
public:
  explicit TSearchRegular(Shell& shell, QWidget* parent = nullptr);

  // The pattern as typed, in Windows-1250.
  std::string Pattern() const;
  QComboBox* RegularExp() const { return regularExp_; }

  void accept() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  Shell& shell_;
  QComboBox* regularExp_ = nullptr;
  QPushButton* help_ = nullptr;
};
