#pragma once
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "settings/SettingsStore.h"

// The logic of the organise-favourites dialog: a list of the favourites that the user can add to (with
// the dialog's own open dialog) and remove from. The window calls TDocumentCommands::AddFavourite with
// no name after the dialog closes, to rebuild the menu.
class TFavouritesOrganizer {
public:
  // The dialog's own open dialog and its full-list message are design-time texts, never translated.
  static constexpr const char* kOpenTitle = "Otwórz";
  static constexpr const char* kOpenFilter =
      "Dokumenty HTML|*.ht*;*.php*;*.pl;*.sht*;*.asp;|Dokumenty tekstowe|*.txt;*.me;*.diz;|Wszystkie pliki|*.*";
  static constexpr const char* kFullMessage = "Folder ULUBIONE może pomieścić maksymalnie 10 dokumentów";

  TFavouritesOrganizer(SettingsStore& settings, Dialogs& dialogs) : settings_(settings), dialogs_(dialogs) {}

  // On show: the favourites in slot order.
  void Fill();
  const std::vector<std::string>& Lines() const { return lines_; }
  // "Usuń": empties the first slot holding each selected line (indexes into Lines), then fills again.
  void RemoveSelected(const std::vector<int>& selected);
  // "Dodaj": asks for a file and puts it into the first free slot.
  void Add();

private:
  SettingsStore& settings_;
  Dialogs& dialogs_;
  std::vector<std::string> lines_;
};
