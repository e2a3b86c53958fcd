#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "EditorTestSupport.h"
#include "editor/PrefixSearch.h"
#include "highlight/Letters.h"

namespace {

using Call = RecordingCanvas::Call;

constexpr int H = 16;  // cell height of the recording canvas
constexpr int W = 8;   // character width

struct PlainFixture : EditorFixture {
  explicit PlainFixture(int columns = 80, int rows = 6) : EditorFixture(columns, rows) {
    editor->SetPlainText(true);
  }
  void Repaint() {
    host.canvas.calls.clear();
    editor->Paint();
  }
};

TEST(EditorPaint, TokensAreDrawnInPlaceWithTheirColoursAndTailsAreCleared) {
  PlainFixture e;
  e->ColorSet().Color = 0x111111;
  e->ColorSet().TextColor = 0x222222;
  e->ColorSet().BackgroundTextColor = 0x333333;
  e->SetText("ab cd\r\nxyz");
  e.Repaint();
  // A lone blank is drawn on the window colour; the tail after the line's end too.
  using Piece = std::tuple<std::string, int, TColor>;  // text, x, background
  std::vector<Piece> row0;
  for (const Call& c : e.host.canvas.TextsAt(0)) row0.emplace_back(c.text, c.x, c.bg);
  const std::vector<Piece> expected = {
      {"ab", 40, 0x333333}, {" ", 40 + 2 * W, 0x111111}, {"cd", 40 + 3 * W, 0x333333}, {std::string(1024, ' '), 40 + 5 * W, 0x111111}};
  EXPECT_EQ(row0, expected);
  EXPECT_EQ(e.host.canvas.TextsAt(0)[0].fg, 0x222222u);
  EXPECT_EQ(e.host.canvas.TextsAt(H)[0].text, "xyz");
  // Tags may be shown in capitals, Polish letters too; the text between them stays as it is.
  EditorFixture tags;
  tags->SetColorStyle({csHTML});
  tags->SetUpperTag(true);
  tags->SetText("<b \xB9>x\xB9</b>");
  std::string shown;
  for (const Call& c : tags.host.canvas.TextsAt(0)) shown += c.text.size() < 1024 ? c.text : "";
  EXPECT_EQ(shown, "<B \xA5>x\xB9</B>");
  // Rows below the text are cleared from the gutter's edge.
  EXPECT_TRUE(std::any_of(e.host.canvas.calls.begin(), e.host.canvas.calls.end(), [](const Call& c) {
    return c.kind == Call::Fill && c.x == 40 && c.y == 2 * H && c.bg == 0x111111u;
  }));
}

TEST(EditorPaint, SelectedTokensAreInvertedAndSelectedLineBreaksColourTheTail) {
  PlainFixture e;
  e->ColorSet().Color = 0x111111;
  e->ColorSet().TextColor = 0x222222;
  e->SetText("abcd\r\nefgh\r\nij");
  Select(*e, 2, 6);  // "cd", the break, "ef"
  e.Repaint();
  const auto row0 = e.host.canvas.TextsAt(0);
  const auto cd = std::find_if(row0.begin(), row0.end(), [](const Call& c) { return c.text == "cd"; });
  ASSERT_NE(cd, row0.end());
  EXPECT_EQ(std::pair(cd->fg, cd->bg), std::pair(0x111111u, 0x222222u));
  EXPECT_EQ(row0.back().bg, 0x222222u);                  // the first line's break is selected
  EXPECT_EQ(e.host.canvas.TextsAt(H).back().bg, 0x111111u);  // the second line's is not

  Select(*e, 1, 2);  // within one line: the tail keeps the window colour
  e.Repaint();
  EXPECT_EQ(e.host.canvas.TextsAt(0).back().bg, 0x111111u);
}

// Scrolled sideways by any number of columns, every visible character of a highlighted line is drawn
// once, as itself, in its own column, also where a token starts left of the window's edge.
TEST(EditorPaint, ScrolledSidewaysEachVisibleCharacterIsDrawnOnceInItsColumn) {
  const std::string lines[] = {"<p class=\"a\">x <!-- c --> y</p>", "<?php $v = 'q'; /* z */ echo $v; ?>",
                               "int main() { return 0; } // end"};
  for (const TColorStyle style : {TColorStyle{csHTML}, TColorStyle{csC}}) {
    EditorFixture f(12, 4);
    f->SetColorStyle(style);
    f->SetText(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2]);
    for (int left = 0; left < 36; ++left) {
      f->HScroll(TQuillEditor::TScrollRequest::ThumbPosition, left);
      f.host.canvas.calls.clear();
      f->Paint();
      for (int row = 0; row < 3; ++row) {
        const std::string want = lines[row].substr(std::min<std::size_t>(left, lines[row].size()), 12);
        std::string drawn(want.size(), '\0');
        for (const Call& c : f.host.canvas.TextsAt(row * H)) {
          for (std::size_t k = 0; c.x >= 40 && k < c.text.size(); ++k) {
            const std::size_t column = static_cast<std::size_t>(c.x - 40) / W + k;
            if (column >= drawn.size()) continue;  // the blanks after the line's end
            EXPECT_EQ(drawn[column], '\0') << "drawn twice: row " << row << " left " << left;
            drawn[column] = c.text[k];
          }
        }
        EXPECT_EQ(drawn, want) << "row " << row << " left " << left << " style " << style.ToBits();
      }
    }
  }
}

// What a paint draws in the text area: row, x, text and colours of each text call.
std::vector<std::tuple<int, int, std::string, TColor, TColor>> Drawn(EditorFixture& f) {
  f.host.canvas.calls.clear();
  f->Paint();
  std::vector<std::tuple<int, int, std::string, TColor, TColor>> out;
  for (const Call& c : f.host.canvas.calls)
    if (c.kind == Call::Text && c.x >= 40) out.emplace_back(c.y, c.x, c.text, c.fg, c.bg);
  return out;
}

// Line states kept from an earlier paint never outlive an edit: after each kind of edit on the first
// line opens a comment that runs to the end, a view further down looks as in an editor given the text
// afresh.
TEST(EditorPaint, AnEditAboveTheViewLeavesNoStaleColoursInIt) {
  const int tab = -1, enter = -2, replace = -3, insert = -4;  // other actions are typed characters and keys
  const struct { const char* first; int caret, action; } cases[] = {
      {"*x", 0, '/'}, {"/x*", 2, '\b'}, {"/x*", 1, vk::Delete}, {"/**/", 3, tab}, {"/**/", 3, enter},
      {"/x*", 1, replace}, {"*x", 0, insert},
  };
  for (const auto& c : cases) {
    EditorFixture f(20, 4), fresh(20, 4);
    f->SetColorStyle({csC});
    fresh->SetColorStyle({csC});
    std::string text = c.first;
    for (const char* line : {"a", "b c", "\"d", "e", "f g", "h", "i", "j", "k", "l m", "n", "o"}) text += "\r\n" + std::string(line);
    f->SetText(text);
    // Keeps the start states of the lines down to the view, below where a paint at the top reaches.
    f->VScroll(TQuillEditor::TScrollRequest::ThumbPosition, 9);
    f->Paint();
    Select(*f, c.caret, c.action == replace ? 1 : 0);
    f->EnsureCaretVisible();  // a key pressed while the caret is off the screen only scrolls it back
    if (c.action == tab) f->KeyPress('\t');
    else if (c.action == enter) f->KeyPress('\r');
    else if (c.action == replace) f->SetSelText("");
    else if (c.action == insert) f->SetSelText("/");
    else if (c.action == vk::Delete) Key(*f, vk::Delete);
    else f->KeyPress(static_cast<char>(c.action));
    fresh->SetText(f->Text());
    for (EditorFixture* e : {&f, &fresh}) {
      Select(**e, f->SelStart(), 0);
      (*e)->VScroll(TQuillEditor::TScrollRequest::ThumbPosition, 9);
    }
    EXPECT_EQ(Drawn(f), Drawn(fresh)) << c.first << " " << c.action;
  }
}

TEST(EditorPaint, GutterNumbersSkipContinuationRowsAndBookmarkedRows) {
  PlainFixture e(12, 8);  // a narrow window, so a long line wraps into pieces
  e->SetText("first\r\none two three four five\r\nlast\r\nend");
  e->SetWordWrap(true);
  ASSERT_EQ(e->Lines().Count(), 6);  // "one two three four five" in three pieces
  e->SetSelStart(static_cast<int>(e->Text().find("last")));
  e->SetBookmark(4);
  e.Repaint();
  std::vector<std::pair<int, std::string>> numbers;
  std::vector<std::pair<int, int>> glyphs;
  for (const Call& c : e.host.canvas.calls) {
    if (c.kind == Call::Text && c.x < 40) numbers.emplace_back(c.y, c.text);
    if (c.kind == Call::Glyph) glyphs.emplace_back(c.glyph, c.y);
  }
  const std::vector<std::pair<int, std::string>> expectNumbers = {{1, "1"}, {H + 1, "2"}, {5 * H + 1, "4"}};
  EXPECT_EQ(numbers, expectNumbers);
  // Wrap marks below the two pieces that continue, and bookmark 4 (glyph 6) on the row of "last".
  const std::vector<std::pair<int, int>> expectGlyphs = {{0, 2 * H}, {0, 3 * H}, {6, 4 * H}};
  EXPECT_EQ(glyphs, expectGlyphs);

  e->SetLineNumbering(false);
  e.Repaint();
  for (const Call& c : e.host.canvas.calls) EXPECT_FALSE(c.kind == Call::Text && c.x < 40);
}

TEST(EditorPaint, CaretGeometryInInsertAndOverwriteMode) {
  PlainFixture e;
  e->SetText("abc\r\nxy");
  e->SetSelStart(7);  // after "xy"
  EXPECT_EQ(std::tuple(e.host.caretX, e.host.caretY, e.host.caretWidth, e.host.caretHeight), std::tuple(40 + 2 * W, H, 2, H));
  e->SetOverWriteMode(true);
  EXPECT_EQ(e.host.caretWidth, W);  // as wide as a blank at the line's end
  std::pair<int, int> reported;
  e->OnUpdateCaret = [&](int l, int c) { reported = {l, c}; };
  e->SetSelStart(1);
  EXPECT_EQ(reported, std::pair(0, 2));
}

TEST(EditorScrolling, ScrollBarRequestsMoveTheViewAndKeepTheCaretOnItsLine) {
  PlainFixture e(20, 10);
  std::string text;
  for (int i = 0; i < 50; ++i) text += "line " + std::to_string(i) + "\r\n";
  e->SetText(text);
  e->SetSelStart(0);
  EXPECT_EQ(std::pair(e.host.vertical.max, e.host.horizontal.max), std::pair(49, 4096));  // 51 lines: 0 .. count - 2
  using R = TQuillEditor::TScrollRequest;
  // The request, then the first line or column shown and the caret's line.
  const struct { bool vertical; R request; int pos, first, line; } steps[] = {
      {true, R::PageDown, 0, 9, 0},  // the caret stays on its text line, off the screen
      {true, R::LineUp, 0, 8, 0},      {true, R::ThumbTrack, 49, 49, 0},
      {true, R::LineDown, 0, 49, 0},  // the last line is the lowest top line
      {true, R::ThumbTrack, 30, 30, 0}, {true, R::PageUp, 0, 20, 0},    {true, R::Bottom, 0, 46, 50},
      {true, R::Top, 0, 0, 0},          {false, R::LineDown, 0, 1, 0},  {false, R::PageUp, 0, 0, 0},
      {false, R::ThumbPosition, 7, 7, 0}, {false, R::Top, 0, 0, 0},
  };
  for (const auto& s : steps) {
    s.vertical ? e->VScroll(s.request, s.pos) : e->HScroll(s.request, s.pos);
    EXPECT_EQ(std::pair(s.vertical ? e->TopLine() : e->LeftCol(), e->CurrentLine()), std::pair(s.first, s.line))
        << static_cast<int>(s.request) << " " << s.pos;
    if (s.request == R::PageDown) { EXPECT_FALSE(e.host.caretShown); }
  }
  e->SetWordWrap(true);
  EXPECT_EQ(e.host.horizontal.max, 0);  // hidden while word wrap is on
  e->HScroll(R::ThumbPosition, 7);  // and nothing scrolls sideways
  e->SetSelStart(2);
  EXPECT_EQ(std::pair(e->LeftCol(), e->SelStart()), std::pair(0, 2));
}

std::vector<std::string> Pieces(TQuillEditor& e) {
  std::vector<std::string> out;
  for (int i = 0; i < e.Lines().Count(); ++i) out.emplace_back(e.Lines().Line(i));
  return out;
}

// A word wider than the window is cut two characters short of the width (one character at least, so a
// window of a few columns still makes progress); a window of no column does not wrap at all.
TEST(EditorWordWrap, AnOverLongWordIsCutTwoShortEvenInTinyWindows) {
  const std::string w10(10, 'w');
  const struct { int columns; std::vector<std::string> pieces; } cases[] = {
      {12, {w10, "ww x", "short"}},
      {6, {"wwww", "wwww", "wwww x", "short"}},
      {3, {"w", "w", "w", "w", "w", "w", "w", "w", "w", "w", "ww ", "x", "s", "h", "ort"}},
      {1, {"w", "w", "w", "w", "w", "w", "w", "w", "w", "w", "w", "w", " ", "x", "s", "h", "o", "r", "t"}},
      {0, {w10 + "ww x", "short"}},
  };
  for (const auto& c : cases) {
    PlainFixture e(c.columns, 10);
    e->SetText(w10 + "ww x\r\nshort");
    e->SetWordWrap(true);
    EXPECT_EQ(Pieces(*e), c.pieces) << c.columns;
    e->SetSelStart(5);
    e->KeyPress('q');
    EXPECT_EQ(std::pair(e->Text(), e->SelStart()), std::pair(std::string("wwwwwqwwwwwww x\r\nshort"), 6)) << c.columns;
    const int line = e->CurrentLine();
    Key(*e, vk::End);  // to the end of the caret's own piece (with no column the key only scrolls)
    e->Paint();
    EXPECT_EQ(e->CurrentLine(), line) << c.columns;
    if (c.columns > 0) { EXPECT_EQ(e->SelStart(), e->PosToOffset(line, e->Lines().Length(line) + 1)) << c.columns; }
  }
  TQuillEditor headless;  // no window: the model still works
  headless.SetText("abc\r\ndef");
  headless.SetSelStart(5);
  headless.SetSelText("X");
  EXPECT_EQ(headless.Text(), "abc\r\nXdef");
  EXPECT_EQ(headless.SelStart(), 6);
}

// A piece ends after a non-letter, or it is a cut of a word wider than the window: letters only, two
// short of the width.
bool FollowsBreakRule(std::string_view piece, int columns) {
  if (!IsLetter(static_cast<unsigned char>(piece.back()))) return true;
  return static_cast<int>(piece.size()) == std::max(columns - 2, 1) &&
         std::all_of(piece.begin(), piece.end(), [](char c) { return IsLetter(static_cast<unsigned char>(c)); });
}

TEST(EditorWordWrap, RandomDocumentsWrapAtRandomWidthsWithoutChangingTheText) {
  std::mt19937 rng(3);
  for (int round = 0; round < 40; ++round) {
    const int columns = 3 + static_cast<int>(rng() % 40);
    PlainFixture e(columns, 10);
    std::string text;
    const int len = static_cast<int>(rng() % 600);
    // Every other document is one long line, so a re-flow has many pieces to meet.
    const unsigned kinds = round % 2 ? 8 : 9;
    for (int i = 0; i < len; ++i) text += "a\xB9" "b z1.,\r\n"[rng() % 11 == 10 && kinds == 9 ? 9 : rng() % kinds];
    e->SetText(text);
    const std::string original = e->Text();
    const int start = static_cast<int>(rng() % (original.size() + 1));
    e->SetWordWrap(true);
    ASSERT_EQ(e->Text(), original);
    const std::vector<std::string> pieces = Pieces(*e);
    for (int i = 0; i < e->Lines().Count(); ++i) {
      EXPECT_FALSE(e->TooWide(pieces[i])) << pieces[i];
      EXPECT_TRUE(e->Lines().LineFlag(i) != 1 || FollowsBreakRule(pieces[i], columns)) << pieces[i];
    }
    e->SetWordWrap(false);
    EXPECT_EQ(e->Text(), original);
    e->SetWordWrap(true);
    EXPECT_EQ(Pieces(*e), pieces);
    // A resize re-flows and keeps the selection's offsets.
    if (original.compare(static_cast<std::size_t>(std::max(start - 1, 0)), 2, "\r\n") != 0) {
      Select(*e, start, 0);
      e.host.width = 40 + W * (3 + static_cast<int>(rng() % 80));
      e->HandleResize();
      EXPECT_EQ(std::pair(e->SelStart(), e->Text()), std::pair(start, original));
      // One edit there: the re-flow stops where a new piece meets an old one, so the pieces from the caret's
      // (after it, when a typed character still fit) must be what wrapping their text afresh makes.
      Select(*e, start, 0);  // brings the caret into view: a key while it is off the screen only scrolls
      const auto s = static_cast<std::size_t>(start);
      const std::size_t back = s > 0 ? (original[s - 1] == '\n' ? 2 : 1) : 0, ahead = original[s] == '\r' ? 2 : 1;
      const unsigned edit = rng() % 4;
      if (edit < 2) edit ? e->SetSelText("xy z") : e->KeyPress('q');
      else edit == 2 ? e->KeyPress('\b') : Key(*e, vk::Delete);
      const std::string model = edit < 2 ? std::string(original).insert(s, edit ? "xy z" : "q")
                                         : std::string(original).erase(edit == 2 ? s - back : s, edit == 2 ? back : ahead);
      ASSERT_EQ(e->Text(), model);
      const std::vector<std::string> now = Pieces(*e);
      const int from = e->CurrentLine() + (edit == 0 ? 1 : 0);
      int end = from;
      while (end < e->Lines().Count() && (end == from || e->Lines().LineFlag(end - 1) == 1)) ++end;
      const std::vector<std::string> got(now.begin() + from, now.begin() + end);
      PlainFixture fresh((e.host.width - TQuillEditor::GutterWidth) / W, 10);
      fresh->SetText(std::accumulate(got.begin(), got.end(), std::string()));
      fresh->SetWordWrap(true);
      EXPECT_EQ(got, fresh->Text().empty() ? got : Pieces(*fresh));
    }
  }
}

// A new font re-wraps the text; the selection stays on its text and typing lands after it.
TEST(EditorWordWrap, AFontChangeKeepsTheSelectionOnItsText) {
  const std::string text = "aaaa bbbb cccc dddd eeee ffff gggg";  // 34 bytes
  for (const bool wider : {true, false}) {
    EditorFixture e(20, 8);
    e->SetWordWrap(true);
    e->SetText(text);
    Select(*e, 10, 9);  // "cccc dddd"
    e.host.canvas.charWidth = wider ? 16 : 4;
    e->SetFont(TFont{"Other", wider ? 20 : 5});
    EXPECT_EQ(std::pair(e->SelStart(), e->SelText()), std::pair(10, std::string("cccc dddd"))) << wider;
    e->SetSelStart(34);
    e.host.canvas.charWidth = 8;
    e->SetFont(TFont{"Third", 10});
    EXPECT_EQ(e->SelEnd(), (TTextPos{e->LeftCol() + e->CaretCol(), e->CurrentLine()})) << wider;
    e->KeyPress('Z');
    EXPECT_EQ(e->Text(), text + "Z") << wider;
    e->Undo();
    EXPECT_EQ(e->Text(), text) << wider;
  }
}

// The binary searches of wrapping, clicks and scrolling find what a scan from the start would.
TEST(PrefixSearch, FindsWhereAConditionStopsHoldingAsAScanWould) {
  for (int lo = 0; lo < 6; ++lo)
    for (int hi = lo; hi < 12; ++hi)
      for (int edge = -1; edge < 13; ++edge) {
        int scan = lo;
        while (scan < hi && scan < edge) ++scan;
        EXPECT_EQ(FirstFailing(lo, hi, [&](int k) { return k < edge; }), scan) << lo << " " << hi << " " << edge;
      }
  EXPECT_EQ(LongestFitting(5, [](int k) { return k * 8 <= 20; }), 2);
  EXPECT_EQ(LongestFitting(5, [](int k) { return k * 8 <= -1; }), 0);
}

}  // namespace
