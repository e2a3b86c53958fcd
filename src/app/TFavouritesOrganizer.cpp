#include "app/TFavouritesOrganizer.h"

#include "app/Favourites.h"

void TFavouritesOrganizer::Fill() { lines_ = TFavourites(settings_).Names(); }

void TFavouritesOrganizer::RemoveSelected(const std::vector<int>& selected) {
  TFavourites favourites(settings_);
  try {
    for (int index : selected)
      if (index >= 0 && static_cast<std::size_t>(index) < lines_.size()) favourites.Remove(lines_[index]);
  } catch (const SettingsError& e) {
    dialogs_.Message(e.what());
  }
  Fill();
}

void TFavouritesOrganizer::Add() {
  if (lines_.size() > TFavourites::MaxFavourites) {
    dialogs_.Message(kFullMessage);
    return;
  }
  Dialogs::FileRequest request;
  request.title = kOpenTitle;
  request.filter = kOpenFilter;
  if (!dialogs_.OpenFile(request)) return;
  try {
    switch (TFavourites(settings_).Add(request.fileName)) {
      case TFavourites::AddResult::Added:
        lines_.push_back(request.fileName);
        break;
      case TFavourites::AddResult::AlreadyThere:
        break;
      case TFavourites::AddResult::Full:
        dialogs_.Message(kFullMessage);
        break;
    }
  } catch (const SettingsError& e) {
    dialogs_.Message(e.what());
  }
}
