#include "app/Favourites.h"

namespace {
constexpr const char* kSection = "Favorites";
std::string Ident(int slot) { return "Item" + std::to_string(slot); }
}  // namespace

TFavourites::Slots TFavourites::Read() const {
  Slots slots;
  for (int i = 0; i < MaxFavourites; ++i) slots[i] = settings_.ReadString(kSection, Ident(i + 1), "");
  return slots;
}

TFavourites::AddResult TFavourites::Add(const std::string& name) {
  const Slots slots = Read();
  for (int i = 0; i < MaxFavourites; ++i) {
    if (slots[i] == name) return AddResult::AlreadyThere;
    if (slots[i].empty()) {
      settings_.WriteString(kSection, Ident(i + 1), name);
      return AddResult::Added;
    }
  }
  return AddResult::Full;
}

void TFavourites::Remove(const std::string& name) {
  const Slots slots = Read();
  for (int i = 0; i < MaxFavourites; ++i) {
    if (slots[i] == name) {
      settings_.WriteString(kSection, Ident(i + 1), "");
      return;
    }
  }
}

std::vector<DocumentWindow::FavouriteItem> TFavourites::MenuItems() const {
  const Slots slots = Read();
  std::vector<DocumentWindow::FavouriteItem> items;
  for (int i = MaxFavourites; i >= 1; --i)
    if (!slots[i - 1].empty()) items.push_back({i, slots[i - 1]});
  return items;
}

std::vector<std::string> TFavourites::Names() const {
  std::vector<std::string> names;
  for (const std::string& s : Read())
    if (!s.empty()) names.push_back(s);
  return names;
}
