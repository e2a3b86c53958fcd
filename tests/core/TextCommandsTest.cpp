// The text commands on a real editor: the touched lines, indent and outdent, case, numbering, go to line
// and the link under the caret.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <utility>

#include "EditorTestSupport.h"
#include "app/LangTable.h"
#include "fakes/ScopedLanguage.h"
#include "app/LineConversion.h"
#include "app/TextCommands.h"
#include "fakes/ScriptedDialogs.h"
#include "fakes/TestFiles.h"

namespace {

TEST(TextCommands, SelectedLineRangeCoversTheTouchedLines) {
  const struct { const char* text; int start, length; TLineRange range; } cases[] = {
      {"", 0, 0, {0, 0}}, {"ab\r\ncd\r\nef", 5, 0, {4, 6}}, {"ab\r\ncd\r\nef", 1, 4, {0, 6}},
      {"ab\r\ncd\r\nef", 0, 0, {0, 2}},       // caret on the first character
      {"ab\r\ncd\r\nef", 10, 0, {8, 10}},     // caret after the last character
      {"ab\r\ncd\r\nef", 0, 10, {0, 10}},     // the whole text
      {"ab\r\ncd\r\nef", 0, 8, {0, 6}},       // ends at the start of a line: that line is not touched
      {"ab\r\ncd\r\n", 0, 8, {0, 6}},
      {"ab\r\n\r\nef", 4, 0, {4, 4}},         // an empty line
  };
  for (const auto& c : cases) {
    EditorFixture e;
    e->SetText(c.text);
    Select(*e, c.start, c.length);
    EXPECT_EQ(SelectedLineRange(*e), c.range) << c.text << " " << c.start << "+" << c.length;
  }
  // A wrapped line counts as one: the range runs over its pieces.
  EditorFixture narrow(10, 10);
  narrow->SetWordWrap(true);
  narrow->SetText("aaaa bbbb cccc dddd\r\nx");
  ASSERT_GT(narrow->Lines().Count(), 2);
  Select(*narrow, 7, 0);
  EXPECT_EQ(SelectedLineRange(*narrow), (TLineRange{0, 19}));
}

TEST(TextCommands, IndentAndOutdentTheTouchedLines) {
  EditorFixture e;
  e->SetText("a\r\n b\r\nc\r\nd");
  Select(*e, 0, 10);  // three lines, up to the start of the fourth
  IndentLines(*e);
  EXPECT_EQ(std::pair(e->Text(), e->SelText()), std::pair(std::string(" a\r\n  b\r\n c\r\nd"), std::string(" a\r\n  b\r\n c")));
  OutdentLines(*e);
  OutdentLines(*e);
  EXPECT_EQ(e->Text(), "a\r\nb\r\nc\r\nd");
  const int steps = e->UndoHistory().Count();
  OutdentLines(*e);  // nothing left to take away: no change, no undo step
  EXPECT_EQ(std::pair(e->UndoHistory().Count(), e->SelText()), std::pair(steps, std::string("a\r\nb\r\nc")));
  Undo(*e, 3);
  EXPECT_EQ(e->Text(), "a\r\n b\r\nc\r\nd");
  // The caret on an empty line still gets its blank; a read-only editor gets nothing.
  e->SetText("x\r\n\r\ny");
  Select(*e, 3, 0);
  IndentLines(*e);
  EXPECT_EQ(e->Text(), "x\r\n \r\ny");
  e->SetReadonly(true);
  IndentLines(*e);
  OutdentLines(*e);
  EXPECT_EQ(e->Text(), "x\r\n \r\ny");
}

TEST(TextCommands, IndentThenOutdentRestoresAnySelection) {
  std::mt19937 rng(12);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int l = 0, lines = 1 + static_cast<int>(rng() % 5); l < lines; ++l)
      text += (l > 0 ? "\r\n" : "") + std::string(rng() % 3, ' ') + std::string(rng() % 4, 'a' + l);
    EditorFixture e;
    e->SetText(text);
    const int a = static_cast<int>(rng() % (text.size() + 1)), b = static_cast<int>(rng() % (text.size() + 1));
    Select(*e, std::min(a, b), std::abs(a - b));
    const TLineRange range = SelectedLineRange(*e);
    IndentLines(*e);
    OutdentLines(*e);
    ASSERT_EQ(e->Text(), text) << round;
    // The lines stay selected (a block that ends with an empty line is then read without it).
    EXPECT_EQ(std::pair(e->SelStart(), e->SelLength()), std::pair(range.start, range.end - range.start)) << round;
  }
}

TEST(TextCommands, CaseGoesThroughTheCodePage) {
  EditorFixture e;
  e->SetText("Za\xBF\xF3\xB3\xE6 ja\x9F\xF1");  // Zażółć jaźń
  Select(*e, 3, 0);  // no selection: nothing changes
  UpperCaseSelection(*e);
  Select(*e, 0, 6);
  UpperCaseSelection(*e);
  EXPECT_EQ(e->Text(), "ZA\xAF\xD3\xA3\xC6 ja\x9F\xF1");
  e->SelectAll();
  LowerCaseSelection(*e);
  EXPECT_EQ(e->Text(), "za\xBF\xF3\xB3\xE6 ja\x9F\xF1");
  Undo(*e, 2);
  EXPECT_EQ(e->Text(), "Za\xBF\xF3\xB3\xE6 ja\x9F\xF1");
}

TEST(LineConversion, LabelsAndLines) {
  const struct { int n; TNumbering style; const char* label; } labels[] = {{1, TNumbering::Arabic, "1"},           {65000, TNumbering::Arabic, "65000"},
                {1, TNumbering::SmallLetters, "a"},     {26, TNumbering::SmallLetters, "z"},
                {27, TNumbering::SmallLetters, "aa"},   {52, TNumbering::SmallLetters, "az"},
                {53, TNumbering::SmallLetters, "ba"},   {702, TNumbering::SmallLetters, "zz"},
                {703, TNumbering::CapitalLetters, "AAA"}, {1, TNumbering::CapitalLetters, "A"}};
  for (const auto& c : labels) EXPECT_EQ(NumberLabel(c.n, c.style), c.label) << c.n;
  EXPECT_EQ(NumberedLines("x\r\ny", TNumbering::Arabic, 1), "1. x\r\n2. y");
  EXPECT_EQ(NumberedLines("x\r\n\r\ny", TNumbering::SmallLetters, 2), "b. x\r\nc. \r\nd. y");
  EXPECT_EQ(NumberedLines("x\r\ny", TNumbering::CapitalLetters, 26), "Z. x\r\nAA. y");
  EXPECT_EQ(PrefixedLines("x\r\ny", "-"), "-x\r\n-y");
}

TEST(LineConversion, CommandsRewriteTheTouchedLinesAsOneStep) {
  EditorFixture e;
  e->SetText("head\r\nx\r\ny\r\ntail");
  Select(*e, 7, 3);  // from inside x to inside y
  NumberLines(*e, [] { return std::optional<TNumberingChoice>(TNumberingChoice{TNumbering::Arabic, 1}); });
  EXPECT_EQ(e->Text(), "head\r\n1. x\r\n2. y\r\ntail");
  Select(*e, 6, 0);
  PrefixLines(*e, [] { return std::optional<std::string>(">"); });
  EXPECT_EQ(e->Text(), "head\r\n>1. x\r\n2. y\r\ntail");
  bool asked = false;
  PrefixLines(*e, [&] { asked = true; return std::optional<std::string>(); });
  EXPECT_TRUE(asked);
  EXPECT_EQ(e->Text(), "head\r\n>1. x\r\n2. y\r\ntail");
  Undo(*e, 2);
  EXPECT_EQ(e->Text(), "head\r\nx\r\ny\r\ntail");
  // Nothing to convert on an empty line, so nothing is asked.
  e->SetText("");
  asked = false;
  NumberLines(*e, [&] { asked = true; return std::optional<TNumberingChoice>(TNumberingChoice{}); });
  EXPECT_FALSE(asked);
  EXPECT_EQ(e->Text(), "");
}

TEST(GotoLine, NumbersFromThePrompt) {
  ScopedLanguage english(2);
  EditorFixture e(80, 20);
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
  e->SetText(text);
  // What is entered, and the caret's stored line afterwards; it starts on line 10.
  const struct { std::optional<std::string> entered; int line; } cases[] = {{"50", 49},  {"101", 100},  {" 7 ", 6}, {"-5", 0},          {"0", 0},     {"102", 10},
               {"abc", 10}, {"", 10},   {"99999999999", 10}, {"5x", 10},  {std::nullopt, 10}};
  ScriptedDialogs dialogs;
  for (const auto& c : cases) {
    Select(*e, e->PosToOffset(10, 3), 2);
    dialogs.prompts = {c.entered};
    GotoLineCommand(*e, dialogs);
    EXPECT_EQ(e->CurrentLine(), c.line) << c.entered.value_or("(cancel)");
    if (c.line != 10) { EXPECT_EQ(e->SelStart(), e->PosToOffset(c.line, 1)) << *c.entered; }
    EXPECT_GE(c.line, e->TopLine());
    EXPECT_LT(c.line, e->TopLine() + e->VisibleRows());
  }
  EXPECT_EQ(dialogs.asked.front(), "Goto to line: Enter line number (max 101)");
}

TEST(Links, TagAtAndLinkPath) {
  const std::string text = "<p>x</p><a class=k href=\"../x.htm\">y</a> <img SRC=pic.png>";
  const struct { int caret; const char* tag; } cases[] = {  // tag nullptr: no tag
      {0, nullptr}, {1, "<p>"}, {3, nullptr}, {4, nullptr}, {9, "<a class=k href=\"../x.htm\">"},
               {34, "<a class=k href=\"../x.htm\">"}, {35, nullptr}, {36, nullptr}, {50, "<img SRC=pic.png>"}};
  for (const auto& c : cases) {
    EXPECT_EQ(TagAt(text, c.caret), c.tag ? std::optional<std::string>(c.tag) : std::nullopt) << c.caret;
  }
  EXPECT_EQ(TagAt("<a href=x", 5), std::nullopt);
  EXPECT_EQ(LinkPath("<a href=\"../x.htm\">", "/site/pages/p.htm"), "/site/pages/../x.htm");
  EXPECT_EQ(LinkPath("<img src=\"img\\a.png\">", "/site/p.htm"), "/site/img/a.png");
  EXPECT_EQ(LinkPath("<a href=\"/abs/x.htm\" src=y>", "/site/p.htm"), "/abs/x.htm");
  EXPECT_EQ(LinkPath("<a href=\"x.htm\">", ""), "x.htm");
  EXPECT_EQ(LinkPath("<a href=\"\xB9.htm\">", "/s/p.htm"), "/s/\xC4\x85.htm");  // ą as a UTF-8 file name
  EXPECT_EQ(LinkPath("<a name=top>", "/s/p.htm"), "");
}

TEST(Links, OnlyExistingTextFilesAreOffered) {
  TempFolder dir;
  WriteBytes(dir / "page.htm", "<p>text</p>\r\n");
  WriteBytes(dir / "binary.htm", std::string("GIF89a\x01\x02", 8));
  std::filesystem::create_directory(dir / "folder");
  const struct { const char* href; bool offered; } cases[] = {{"page.htm", true},  {"./page.htm", true},   {"binary.htm", false},           {"folder", false},
               {"missing.htm", false}, {"page.htm#top", false}, {"http://example.com/", false}};
  for (const auto& c : cases) {
    EditorFixture e;
    e->SetDocumentFileName(dir / "doc.htm");
    // Far down a long document, in a tag over two lines.
    const std::string before(200, '\n');
    e->SetText(before + "<a\r\nhref=\"" + c.href + "\">link</a>");
    Select(*e, 2 * 200 + 5, 0);
    const std::optional<std::string> link = LinkUnderCaret(*e);
    EXPECT_EQ(link, c.offered ? std::optional<std::string>(dir / c.href) : std::nullopt) << c.href;
  }
}

}  // namespace
