#pragma once
#include <QDialog>

#include "app/SetupValues.h"

class ColorGrid;
class Dialogs;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QuillEditorWidget;
class SettingsStore;

// The settings dialog ("Setup"): the editor, colour, saving and advanced settings of section "Editor",
// with a live preview of the colours on a sample page, and the desktop's file-type associations.
// It reads everything when shown and writes only on OK; Cancel stores nothing.
class TSetup : public QDialog {
  Q_OBJECT
public:
  TSetup(SettingsStore& settings, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TSetup() override;

  // The preview exists from the first show on; null before.
  QuillEditorWidget* Preview() const { return preview_; }

  // The page of sample text the preview shows, lines joined with CR LF.
  static const char* const kSampleText;

protected:
  void showEvent(QShowEvent* e) override;

private:
  QWidget* CreateEditorPage();
  QWidget* CreateColorPage();
  QWidget* CreateSavingPage();
  QWidget* CreateAdvancedPage();
  QWidget* CreateRegistryPage();
  QCheckBox* Box(QWidget* parent, const char* name, const char* caption);

  void FormShow();
  void CreatePreview(const SetupValues& values);
  void ShowFontName(const std::string& name);
  void SyncGrid();
  void GridChange();
  void ConstBackgroundClick(bool checked);
  void SchemeChosen(int scheme);
  void PageChange();
  void RepaintPreview();
  void OkClick();

  SettingsStore& settings_;
  Dialogs& dialogs_;
  bool colorGuard_ = false;
  bool shown_ = false;

  QTabWidget* pages_ = nullptr;
  QFontComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
  QCheckBox* plainText_ = nullptr;
  QCheckBox* wordWrap_ = nullptr;
  QCheckBox* home_ = nullptr;
  QCheckBox* enter_ = nullptr;
  QCheckBox* lNumber_ = nullptr;
  QCheckBox* upCharTag_ = nullptr;
  QCheckBox* close_[6] = {};    // in SetupValues::kCloseIdents order
  QCheckBox* continue_[3] = {}; // in SetupValues::kContinueIdents order
  QSpinBox* tabSize_ = nullptr;
  QWidget* colorPage_ = nullptr;
  QListWidget* colorItem_ = nullptr;
  ColorGrid* colors_ = nullptr;
  QCheckBox* constBackground_ = nullptr;
  QComboBox* defaults_ = nullptr;
  QuillEditorWidget* preview_ = nullptr;
  QComboBox* defCodePage_ = nullptr;
  QCheckBox* createBackup_ = nullptr;
  QCheckBox* optimizeWithSave_ = nullptr;
  QCheckBox* alwaysUnix_ = nullptr;
  QCheckBox* recognizeCharSet_ = nullptr;
  QSpinBox* scroller1_ = nullptr;
  QSpinBox* scroller2_ = nullptr;
  QRadioButton* esc_[3] = {};  // none, close, minimise
  QCheckBox* linkWithHtml_ = nullptr;
  QCheckBox* linkWithTxt_ = nullptr;
};
