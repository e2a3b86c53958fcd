#include <gtest/gtest.h>

#include <vector>

#include "app/EditorSettings.h"
#include "app/SetupValues.h"
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

std::vector<bool> Switches(const TQuillEditor& e) {
  return {e.WordWrap(), e.PlainText(), e.TextHOME(), e.TextEnter(), e.UpperTag(), e.LineNumbering()};
}

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
  // Word wrap, plain text, smart Home, smart Enter, upper-case tags, line numbers.
  EXPECT_EQ(Switches(f.editor), (std::vector<bool>{false, false, true, true, false, true}));
  EXPECT_EQ(f.editor.AutoClose(), (TAutoClose{acBracket, acDoubleQuote, acSingleQuote, acTriangleBracket,
                                              acRectangleBracket, acCBracket}));
  EXPECT_EQ(f.editor.AutoFollow(), (TAutoFollow{afLI, afTD, afOPTION}));
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
  // The main window never shows tags in upper case, whatever UpChar says.
  EXPECT_EQ(Switches(f.editor), (std::vector<bool>{true, true, false, false, false, false}));
  EXPECT_EQ(f.editor.AutoClose(), (TAutoClose{acDoubleQuote, acTriangleBracket, acRectangleBracket, acCBracket}));
  EXPECT_EQ(f.editor.AutoFollow(), (TAutoFollow{afLI, afOPTION}));
}

// The settings dialog refuses any font size but a whole number of points from 1 to 400, before it stores
// anything (the dialog's side of it is driven end to end and offscreen).
TEST(SetupValues, FontSizesAreWholeNumbersInRange) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"12", 12},           {" 14 ", 14},         {"\t+8", 8},          {"400", 400},
      {"1", 1},             {"401", std::nullopt}, {"0", std::nullopt},  {"-3", std::nullopt},
      {"12.5", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {" ", std::nullopt},
      {"+", std::nullopt},  {"1 2", std::nullopt}, {"99999999999", std::nullopt},
  };
  for (const auto& [text, size] : cases) EXPECT_EQ(ParseFontSize(text), size) << '"' << text << '"';
}

// What the settings dialog shows and OK stores back: stored values as they are, and values out of range as
// ones the dialog can show.
TEST(SetupValues, OkStoresBackWhatWasReadWithBadValuesMadeSensible) {
  const struct { const char *ident, *stored, *back; } cases[] = {
      {"WordWrap", "1", "1"},           {"PlainText", "1", "1"},         {"CloseBrackets", "0", "0"},
      {"ContinueTD", "0", "0"},         {"TabSize", "8", "8"},           {"TabSize", "500", "20"},
      {"Scroller1", "0", "1"},          {"Scroller2", "3", "3"},         {"ESC Key", "2", "2"},
      {"ESC Key", "7", "0"},            {"FontSize", "huge", "12"},      {"FontName", "Courier", "Courier"},
      {"Default Code Page", "utf-8", "UTF-8"}, {"Default Code Page", "EBCDIC", "Windows-1250"},
      {"TagForeground", "65280", "65280"}, {"TagForeground", "-5", "16711680"}, {"Background", "117440512", "16777215"},
      {"OperatorBackGround", "9", "9"}, {"PHPVariableBackground", "7", "7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ident) + "=" + c.stored);
    SettingsStore store(std::make_shared<MemorySettingsBackend>());
    store.WriteString("Editor", c.ident, c.stored);
    WriteSetupValues(store, ReadSetupValues(store));
    EXPECT_EQ(store.ReadString("Editor", c.ident, ""), c.back);
    EXPECT_EQ(store.ReadString("Editor", "CloseTriangleBrackets", ""), "1");  // the defaults are stored too
  }
}
