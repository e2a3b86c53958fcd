#include <gtest/gtest.h>

#include <vector>

#include "app/EditorSettings.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"
#include "fakes/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

namespace {

struct Fixture {
  std::shared_ptr<MemorySettingsBackend> backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore store{backend};
  FakeEditorHost host;
  TQuillEditor editor{&host};
};

}  // namespace

TEST(EditorSettings, AFirstRunGivesTheDefaults) {
  Fixture f;
  // Start from values that differ from every default, so each one is really applied.
  f.editor.SetTabSize(9);
  f.editor.SetTextHOME(false);
  f.editor.SetUpperTag(true);
  f.editor.SetAutoClose({});
  f.editor.SetAutoFollow({});
  f.editor.SetLineNumbering(false);
  f.editor.ColorSet().TagColor = 1;
  ApplyEditorSettings(f.store, f.editor);

  EXPECT_EQ(f.editor.Font(), (TFont{"FixedSys", 12}));
  EXPECT_EQ(f.editor.TabSize(), 5);
  EXPECT_EQ(f.editor.Scroller1Size(), 6);
  EXPECT_EQ(f.editor.Scroller2Size(), 2);
  const TQuillEditor::Colors& c = f.editor.ColorSet();
  const std::vector<TColor> texts = {c.TextColor, c.TagColor, c.ShortParamColor, c.LongParamColor,
                                     c.CommentColor, c.KeywordColor, c.OperatorColor};
  EXPECT_EQ(texts, (std::vector<TColor>{0x000000, 0xFF0000, 0x000080, 0x0000FF, 0x808080, 0x008000, 0x000080}));
  for (TColor bg : {c.BackgroundTextColor, c.BackgroundTagColor, c.BackgroundShortParamColor, c.BackgroundlongParamColor,
                    c.BackgroundCommentColor, c.BackgroundKeywordColor, c.BackgroundOperatorColor, c.Color})
    EXPECT_EQ(bg, 0xFFFFFFu);
  EXPECT_FALSE(f.editor.WordWrap());
  EXPECT_FALSE(f.editor.PlainText());
  EXPECT_TRUE(f.editor.TextHOME());
  EXPECT_TRUE(f.editor.TextEnter());
  EXPECT_FALSE(f.editor.UpperTag());
  EXPECT_EQ(f.editor.AutoClose(), (TAutoClose{acBracket, acDoubleQuote, acSingleQuote, acTriangleBracket,
                                              acRectangleBracket, acCBracket}));
  EXPECT_EQ(f.editor.AutoFollow(), (TAutoFollow{afLI, afTD, afOPTION}));
  EXPECT_TRUE(f.editor.LineNumbering());
  // Reading never writes.
  EXPECT_EQ(f.backend->Count(), 0u);
}

TEST(EditorSettings, StoredValuesAreAppliedAndBackgroundsShareTheirFallback) {
  Fixture f;
  const std::pair<const char*, const char*> values[] = {
      {"Scroller1", "2"},          {"Scroller2", "0"},         {"TabSize", "3"},
      {"FontName", "Courier"},     {"FontSize", "0x0E"},       {"TagForeground", "$FF"},
      {"BackgroundColor", "255"},  {"CommentBackground", "7"}, {"Background", "16777215"},
      {"WordWrap", "1"},           {"PlainText", "1"},         {"HOME", "0"},
      {"ENTER", "0"},              {"UpChar", "1"},            {"CloseBrackets", "0"},
      {"CloseSingleQuotes", "0"},  {"ContinueTD", "0"},        {"LineNumbering", "0"},
      {"OperatorBackGround", "9"},
  };
  for (const auto& [ident, value] : values) f.store.WriteString("Editor", ident, value);
  ApplyEditorSettings(f.store, f.editor);

  EXPECT_EQ(f.editor.Scroller1Size(), 3);
  EXPECT_EQ(f.editor.Scroller2Size(), 1);
  EXPECT_EQ(f.editor.TabSize(), 3);
  EXPECT_EQ(f.editor.Font(), (TFont{"Courier", 14}));
  const TQuillEditor::Colors& c = f.editor.ColorSet();
  EXPECT_EQ(c.TagColor, 255u);
  EXPECT_EQ(c.BackgroundCommentColor, 7u);
  EXPECT_EQ(c.BackgroundOperatorColor, 9u);  // names compare without regard to case
  EXPECT_EQ(c.BackgroundTextColor, 255u);
  EXPECT_EQ(c.BackgroundKeywordColor, 255u);
  EXPECT_EQ(c.Color, 0xFFFFFFu);
  EXPECT_TRUE(f.editor.WordWrap());
  EXPECT_TRUE(f.editor.PlainText());
  EXPECT_FALSE(f.editor.TextHOME());
  EXPECT_FALSE(f.editor.TextEnter());
  EXPECT_FALSE(f.editor.UpperTag());  // the main window never shows tags in upper case
  EXPECT_EQ(f.editor.AutoClose(), (TAutoClose{acDoubleQuote, acTriangleBracket, acRectangleBracket, acCBracket}));
  EXPECT_EQ(f.editor.AutoFollow(), (TAutoFollow{afLI, afOPTION}));
  EXPECT_FALSE(f.editor.LineNumbering());
}
