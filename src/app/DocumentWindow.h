#pragma once
#include <array>
#include <string>
#include <vector>

// What only the main window can do for the document commands.
class DocumentWindow {
public:
  // A favourite as its menu item shows it: the file name, and the slot it lives in (1 to 10).
  struct FavouriteItem {
    int slot = 0;
    std::string fileName;
    bool operator==(const FavouriteItem&) const = default;
  };

  virtual ~DocumentWindow() = default;
  // Caption "<application caption> - <file name> (<code page>)", and the application title from the
  // file name without its folder when that is not empty.
  virtual void UpdateTitle(const std::string& fileName, const std::string& codePage) = 0;
  // A new document: the caption is the bare application caption; the application title stays.
  virtual void ShowAppCaption() = 0;
  // The four recent-document items of the File menu, newest first; an empty name hides its item.
  virtual void ShowRecentDocuments(const std::array<std::string, 4>& fileNames) = 0;
  // The favourite items of the Favourites menu, in menu order (highest slot first).
  virtual void ShowFavourites(const std::vector<FavouriteItem>& items) = 0;
};
