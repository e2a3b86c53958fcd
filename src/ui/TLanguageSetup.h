#pragma once
#include <QDialog>

class SettingsStore;

// The first-run question for the interface language. Its texts are bilingual and never translated.
// Each button stores its language ("Interface"/"Language" 1 Polish, 2 English) and closes the dialog;
// closing it any other way stores nothing, so the question comes back at the next start.
class TLanguageSetup : public QDialog {
  Q_OBJECT
public:
  explicit TLanguageSetup(SettingsStore& settings, QWidget* parent = nullptr);

  // The language chosen (0 when the dialog was closed otherwise), and whether it could be stored.
  int Chosen() const { return chosen_; }
  bool Stored() const { return stored_; }

private:
  void Choose(int language);

  SettingsStore& settings_;
  int chosen_ = 0;
  bool stored_ = false;
};
