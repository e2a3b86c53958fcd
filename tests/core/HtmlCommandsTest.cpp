// The HTML commands on a real editor: tag pairs and F8, the tag box items, colours and the prompt (the new
// document from the template is checked end to end in test_html_commands.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "EditorTestSupport.h"
#include "app/HtmlCommands.h"
#include "app/LangTable.h"
#include "fakes/ScopedLanguage.h"
#include "fakes/MemorySettingsBackend.h"
#include "fakes/ScriptedDialogs.h"

namespace {

struct HtmlFixture : ::testing::Test {
  EditorFixture e;
  ScriptedDialogs dialogs;
  std::shared_ptr<MemorySettingsBackend> backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore settings{backend};

  void Load(const std::string& text, int start, int length) {
    e->SetText(text);
    Select(*e, start, length);
  }
};

// Bold around a selection and F8 on another word are driven end to end (test_html_commands.py), and
// WrapSelection with its repeat and undo by EditorWrapSelection.
TEST_F(HtmlFixture, TagPairsSplitAtTheFirstBar) {
  // The item, then the text after it is used on "ab" with "b" selected and where the selection starts.
  const struct { const char* item; std::string text; int selStart; } cases[] = {
      {"<hr>", "a<hr>b", 5},                  // a lone tag goes before; the selection stays selected
      {"<a href=\"\">|</a>", "a<a href=\"\">b</a>", 12},
      {"|x|y", "abx|y", 1},                    // only the first bar splits
      {"<q>|", "a<q>b", 4},
  };
  for (const auto& c : cases) {
    Load("ab", 1, 1);
    InsertTagPair(*e, c.item);
    EXPECT_EQ(std::tuple(e->Text(), e->SelStart(), e->SelLength()), std::tuple(c.text, c.selStart, 1)) << c.item;
  }
  EXPECT_TRUE(e.host.focused);
  // Empty document, read-only editor.
  Load("", 0, 0);
  InsertTagPair(*e, "<p>|</p>");
  EXPECT_EQ(std::pair(e->Text(), e->SelStart()), std::pair(std::string("<p></p>"), 3));
  e->SetReadonly(true);
  InsertTagPair(*e, "<b>|</b>");
  InsertFontColor(*e, "Red");
  EXPECT_EQ(e->Text(), "<p></p>");
}

// Other colours are written as #RRGGBB from the 0x00BBGGRR value (ColorToHtml).
TEST(HtmlColors, ColorTextNamesTheSixteenAndWritesOthersAsHex) {
  const std::pair<TColor, std::string> cases[] = {
      {0x0000FF, "Red"}, {0x808000, "Teal"}, {0x123456, "#563412"}, {0xFF0001, "#0100FF"}, {NoColor, ""}};
  for (const auto& [color, text] : cases) EXPECT_EQ(ColorText(color), text) << color;
}

TEST_F(HtmlFixture, ColourDialogCommands) {
  Load("a sel b", 2, 3);
  dialogs.colors = {0x0000FF, 0x123456, std::nullopt, std::nullopt};
  InsertColor(*e, dialogs);
  EXPECT_EQ(e->Text(), "a Red b");
  Select(*e, 2, 3);
  InsertChosenFontColor(*e, dialogs);
  EXPECT_EQ(e->Text(), "a <font color=\"#563412\">Red</font> b");
  InsertColor(*e, dialogs);  // cancelled
  InsertChosenFontColor(*e, dialogs);
  EXPECT_EQ(e->Text(), "a <font color=\"#563412\">Red</font> b");
}

TEST(HtmlTags, TheBoxHoldsAllItemsInOrder) {
  const std::vector<std::string>& items = HtmlTagItems();
  ASSERT_EQ(items.size(), 111u);
  EXPECT_EQ(items[2], "<a href=\"\">|</a>");
  const auto lone = std::count_if(items.begin(), items.end(), [](const std::string& s) { return s.find('|') == std::string::npos; });
  EXPECT_EQ(lone, 22);  // the 21 lone tags and "<!doctype>"
}

TEST_F(HtmlFixture, PromptRemembersTheLastTag) {
  ScopedLanguage english(2);
  Load("word", 0, 4);
  dialogs.prompts = {std::string("<q>|</q>"), std::nullopt, std::string("")};
  for (int ask = 0; ask < 3; ++ask) {  // the tag, then a cancel and an empty answer that change nothing
    QuickInsertTag(*e, dialogs, settings);
    EXPECT_EQ(std::pair(e->Text(), settings.ReadString("HTMLTags", "QuickInsert", "")),
              std::pair(std::string("<q>word</q>"), std::string("<q>|</q>"))) << ask;
  }
  EXPECT_EQ(dialogs.asked.front(), "Insert Tag: Enter tag (ex. <B>|</B>)");
}

}  // namespace
