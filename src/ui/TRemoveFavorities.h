#pragma once
#include <QDialog>

#include "app/TFavouritesOrganizer.h"

class QListWidget;

// The organise-favourites dialog: the favourites in slot order, with "Dodaj" (a file from the dialog's
// own open dialog goes into the first free slot) and "Usuń" (the selected lines leave their slots).
class TRemoveFavorities : public QDialog {
  Q_OBJECT
public:
  TRemoveFavorities(SettingsStore& settings, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* e) override;

private:
  void FillList();
  void Remove();
  void Add();

  TFavouritesOrganizer organizer_;
  QListWidget* list_ = nullptr;
};
