#pragma once
#include <array>
#include <string>
#include <vector>

#include "app/DocumentWindow.h"
#include "settings/SettingsStore.h"

// Up to ten favourite documents in fixed slots "Item1" to "Item10" of the section "Favorites"; an empty
// slot is free. A favourite keeps its slot until it is removed, and removing one moves no other. Read
// afresh on every use, so several windows share the list.
class TFavourites {
public:
  static constexpr int MaxFavourites = 10;
  using Slots = std::array<std::string, MaxFavourites>;  // index 0 is slot 1

  enum class AddResult { Added, AlreadyThere, Full };

  explicit TFavourites(SettingsStore& settings) : settings_(settings) {}

  Slots Read() const;
  // Walks the slots from 1: a slot holding name ends the walk (AlreadyThere); the first empty slot met
  // receives it. So a copy further down is not seen once a free slot comes first. Throws SettingsError
  // when the settings cannot be written.
  AddResult Add(const std::string& name);
  // Empties the first slot holding name (compared exactly).
  void Remove(const std::string& name);
  // The menu items, highest slot first.
  std::vector<DocumentWindow::FavouriteItem> MenuItems() const;
  // The favourites in slot order.
  std::vector<std::string> Names() const;

private:
  SettingsStore& settings_;
};
