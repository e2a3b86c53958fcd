#pragma once
#include <QDialog>

#include "print/PrintOptionsValues.h"

class Dialogs;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The print options: body font, size, spacing, unit, margins, frame and word wrap on the first page, the
// header's and the footer's font, style and text on the other two. It reads the printer settings when
// shown and writes them all on OK, after checking that every size is a whole number; a size that is not
// is reported by name, the dialog stays open, and nothing is written.
class TPrintOptions : public QDialog {
  Q_OBJECT
public:
  TPrintOptions(Dialogs& dialogs, QWidget* parent = nullptr);

  // The fixed-pitch fonts offered, "FixedSys" (the system's fixed-pitch font) first.
  static QStringList FixedPitchFonts();

protected:
  void showEvent(QShowEvent* e) override;
  void accept() override;

private:
  struct BandControls {
    QComboBox* font = nullptr;
    QComboBox* size = nullptr;
    QCheckBox* italic = nullptr;
    QCheckBox* bold = nullptr;
    QCheckBox* underline = nullptr;
    QLineEdit* text = nullptr;
  };
  QWidget* BandPage(BandControls& band, const char* fontCaption, const char* textCaption, const char* prefix);
  void Load(const PrintOptionsValues& v);
  PrintOptionsValues Values() const;

  Dialogs& dialogs_;
  QComboBox* font_;
  QComboBox* fontSize_;
  QComboBox* spacing_;
  QComboBox* units_;
  QLineEdit* margins_[4];
  QCheckBox* borders_[4];
  QCheckBox* wordWrap_;
  BandControls header_, footer_;
};
