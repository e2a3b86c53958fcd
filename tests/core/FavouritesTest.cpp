#include <gtest/gtest.h>

#include <memory>

#include "DocumentFakes.h"
#include "app/Favourites.h"
#include "app/RecentDocuments.h"
#include "app/TFavouritesOrganizer.h"

using namespace doc_test;

namespace {

class ListsTest : public ::testing::Test, public DocumentFixture {
protected:
  // A second window on the same settings: the lists are read afresh, so both see every change.
  SettingsStore otherWindow{backend};

  std::vector<int> MenuSlots() const {
    std::vector<int> slots;
    for (const auto& item : window.favourites) slots.push_back(item.slot);
    return slots;
  }
};

}  // namespace

// Against a plain model: a name already listed changes nothing, otherwise it goes first and the oldest
// falls off.
TEST_F(ListsTest, RecentDocumentsFollowAModel) {
  std::vector<std::string> model(4);
  const char* opened[] = {"/a", "/b", "/c", "/b", "/d", "/e", "/A", "/c", "/a", "/e"};
  for (const char* name : opened) {
    docs.AddOpenedDocument(name);
    if (std::find(model.begin(), model.end(), name) == model.end()) {
      model.insert(model.begin(), name);
      model.pop_back();
    }
    const auto list = TRecentDocuments(otherWindow).Read();
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), model) << name;
  }
  EXPECT_EQ(window.recent, TRecentDocuments(settings).Read());

  // A store that cannot be written reports it and the open goes on.
  backend->SetFailWrites(true);
  docs.AddOpenedDocument("/new");
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(ListsTest, FavouriteSlots) {
  for (const char* name : {"/one", "/two", "/three"}) docs.AddFavourite(std::string(name));
  EXPECT_EQ(MenuSlots(), (std::vector<int>{3, 2, 1}));

  TFavouritesOrganizer organizer(otherWindow, dialogs);
  organizer.Fill();
  organizer.RemoveSelected({1});
  EXPECT_EQ(organizer.Lines(), (std::vector<std::string>{"/one", "/three"}));
  docs.AddFavourite(std::string("/new"));
  EXPECT_EQ(TFavourites(settings).Read()[1], "/new");
  EXPECT_EQ(MenuSlots(), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(window.favourites[1].fileName, "/new");

  // A name already there (before any free slot) changes nothing, not even the menu.
  const int rebuilds = window.favouriteRebuilds;
  docs.AddFavourite(std::string("/two-not-there-yet"));
  docs.AddFavourite(std::string("/one"));
  docs.AddFavourite(std::string("/three"));
  EXPECT_EQ(window.favouriteRebuilds, rebuilds + 1);

  // With slot 1 empty, adding the file in slot 2 again fills slot 1 too.
  TFavourites(settings).Remove("/one");
  docs.AddFavourite(std::string("/new"));
  EXPECT_EQ(TFavourites(settings).Read()[0], "/new");
  EXPECT_EQ(TFavourites(settings).Read()[1], "/new");
}

TEST_F(ListsTest, FullFavourites) {
  for (int i = 1; i <= 10; ++i) docs.AddFavourite("/f" + std::to_string(i));
  docs.AddFavourite(std::string("/eleven"));
  EXPECT_EQ(dialogs.asked, std::vector<std::string>{"Favorities can contain max. 10 documents"});
  EXPECT_EQ(MenuSlots(), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));

  TFavouritesOrganizer organizer(settings, dialogs);
  organizer.Fill();
  dialogs.Choose(std::string("/eleven"), 1);
  organizer.Add();
  EXPECT_EQ(dialogs.asked.back(), TFavouritesOrganizer::kFullMessage);
  EXPECT_EQ(dialogs.requests.back().title, "Otwórz");
  organizer.RemoveSelected({0, 9});
  dialogs.Choose(std::string("/eleven"), 1);
  organizer.Add();
  EXPECT_EQ(TFavourites(settings).Read()[0], "/eleven");
  EXPECT_EQ(organizer.Lines().back(), "/eleven");
  dialogs.Choose(std::nullopt);  // cancelled
  organizer.Add();
  EXPECT_EQ(organizer.Lines().size(), 9u);
}

TEST_F(ListsTest, AddToFavouritesNeedsAnExistingFile) {
  docs.AddToFavourites();  // a new, never saved document
  EXPECT_EQ(window.favouriteRebuilds, 0);
  WriteBytes(dir / "page.html", "x");
  editor.SetDocumentFileName(dir / "page.html");
  docs.AddToFavourites();
  EXPECT_EQ(TFavourites(otherWindow).Read()[0], dir / "page.html");
  editor.SetDocumentFileName(dir / "gone.html");
  docs.AddToFavourites();
  EXPECT_EQ(TFavourites(settings).Names().size(), 1u);
}
