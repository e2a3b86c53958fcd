#pragma once
#include <QDialog>
#include <string>

#include "app/LineConversion.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QSpinBox;

// "Konwertuj": what to put before each selected line, either one character or a number. Only one of
// its two groups shows; the texts are translated when it is shown.
class TConvertDLG : public QDialog {
  Q_OBJECT
public:
  enum class Group { FirstCharacter, Numbering };
  explicit TConvertDLG(Group group, QWidget* parent = nullptr);

  // The character of the edit box, as the editor's Windows-1250 text (empty when it has none).
  std::string Prefix() const;
  TNumberingChoice Numbering() const;

protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  QGroupBox* NewCharacterGroup();
  QGroupBox* NewNumberingGroup();

  Group group_;
  QButtonGroup* characters_ = nullptr;
  QButtonGroup* styles_ = nullptr;
  QLineEdit* character_ = nullptr;
  QSpinBox* first_ = nullptr;
};
