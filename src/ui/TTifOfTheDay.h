#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class SettingsStore;

// The tip of the day: a tip drawn at random from a range of language ids, another on "Następna", and
// "Zamknij", which stores whether tips are still wanted ("Tips"/"ShowTips").
class TTifOfTheDay : public QDialog {
  Q_OBJECT
public:
  TTifOfTheDay(SettingsStore& settings, int firstId, int lastId, QWidget* parent = nullptr);

  int TipId() const { return tipId_; }

protected:
  void showEvent(QShowEvent* e) override;

private:
  void NextTip();
  void Close();

  SettingsStore& settings_;
  int firstId_;
  int lastId_;
  int tipId_ = 0;
  QLabel* tip_ = nullptr;
  QCheckBox* dontShow_ = nullptr;
};
