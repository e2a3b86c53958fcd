// Characters outside Windows-1250 in the editor: marks that travel with their text through every edit.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "app/CodePages.h"
#include "app/DocumentText.h"
#include "app/Utf8Conversion.h"
#include "app/Win1250Case.h"
#include "app/Win1250Unicode.h"
#include "core/DocumentFakes.h"
#include "editor/ForeignMarks.h"

namespace {

std::string Utf8(std::u32string_view unicode) {
  std::string out;
  for (char32_t cp : unicode) AppendUtf8(out, cp);
  return out;
}

// What the editor shows, as Unicode.
std::u32string Shown(const TQuillEditor& e) { return MarkedToUnicode(e.Text(), e.Marks()); }

// Types Unicode text as keys: characters Windows-1250 holds as key presses, the others as foreign ones.
void TypeUnicode(TQuillEditor& e, std::u32string_view text) {
  for (char32_t cp : text) {
    std::u32string marks;
    const std::string byte = UnicodeToMarked(std::u32string(1, cp), marks);
    if (marks.empty())
      e.KeyPress(byte[0]);
    else
      e.TypeForeignCharacter(cp);
  }
}

// Text set into the editor as the editor stores it: a lone CR or LF is a CR LF line break, a TAB the
// tab's blanks.
std::string Normalised(const std::string& s, int tab) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\n' && (i == 0 || s[i - 1] != '\r')) out += "\r\n";
    else if (c == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) out += "\r\n";
    else if (c == '\t') out += std::string(static_cast<std::size_t>(tab), ' ');
    else out += c;
  }
  return out;
}

int Column(TQuillEditor& e) { return e.LeftCol() + e.CaretCol(); }

// The lines of a text, split at CR LF.
std::vector<std::u32string> LinesOf(const std::u32string& text) {
  std::vector<std::u32string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, U"\r\n") == 0) {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

const int kCaretKeys[] = {vk::Left, vk::Right, vk::Up, vk::Down, vk::Home, vk::End, vk::Prior, vk::Next};

// The caret column after an arrow key, Home or End without word wrap, given the column before it and the
// column kept for vertical moves. Up and Down never leave the caret left of the first visible column: past
// the end of a short line it stands there.
int ExpectedColumn(int key, const std::u32string& line, int column, int desired, int firstVisible) {
  const int end = static_cast<int>(line.size()) + 1;
  switch (key) {
    case vk::Left: return std::max(column - 1, 1);
    case vk::Right: return column < end ? column + 1 : column;
    case vk::End: return end;
    case vk::Home: {
      const auto first = line.find_first_not_of(U' ');
      const int text = first == std::u32string::npos ? 1 : static_cast<int>(first) + 1;
      return text != column ? text : 1;
    }
    default: return std::max(std::min(desired, end), firstVisible);
  }
}

// Polish letters, ASCII, and characters whose UTF-8 bytes spell Polish letters of Windows-1250.
const char32_t kAlphabet[] = {'a', 'Z', ' ', '.', 0x0105, 0x0119, 0x0118, 0x015A, 0x0106, 0x00D3, 0x0141,
                              0x017B, 0x201E, 0x028C, 0x04E3, 0x04EF, 0x044C, 0x044F, 0x01AF, 0x6CF9,
                              0x1F600, 0x0081};

}  // namespace

// Random edits, undo, caret keys, word wrap, window widths down to a few columns, drags, the wheel,
// scrolling and font changes, applied to the editor and to a plain Unicode string: after each, saving the
// editor's text as UTF-8 gives exactly the model's UTF-8, typing lands where SelStart says, the caret is the
// selection's end, with word wrap off the caret keys put it where the model's lines say, and with word wrap
// on no piece is wider than the window. Offsets of the editor are indexes of the model, since a mark is one
// character and CR LF two.
TEST(ForeignMarks, RandomEditsMatchAUnicodeModel) {
  std::mt19937 random(15);
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  const auto randomText = [&](std::size_t length, bool breaks) {
    std::u32string s;
    for (std::size_t i = 0; i < length; ++i) {
      if (breaks && pick(25) == 0)
        s += U"\r\n";
      else
        s.push_back(kAlphabet[pick(std::size(kAlphabet))]);
    }
    return s;
  };
  for (int round = 0; round < 60; ++round) {
    EditorFixture f(30, 10);
    TQuillEditor& e = *f;
    e.SetAutoClose({});
    e.SetAutoFollow({});
    e.SetTextEnter(false);
    std::u32string model = randomText(pick(200), true);
    std::u32string marks;
    const std::string opened = Utf8ToWin(Utf8(model), &marks);
    e.SetMarkedText(opened, marks);
    ASSERT_EQ(Shown(e), model);
    e.ClearUndo();
    std::vector<std::u32string> history;  // the model before each undoable edit
    std::u32string clipboard;
    // A caret offset not between the CR and the LF of a line break.
    const auto caretOffset = [&] {
      std::size_t p = pick(model.size() + 1);
      if (p > 0 && p < model.size() && model[p - 1] == '\r') --p;
      return p;
    };
    std::size_t a = 0, b = 0;  // the range a selecting operation selected
    const auto selectFrom = [&](std::size_t p) {
      const std::size_t q = caretOffset();
      a = std::min(p, q);
      b = std::max(p, q);
      Select(e, static_cast<int>(a), static_cast<int>(b - a));
    };
    for (int step = 0; step < 60; ++step) {  // fewer undo steps than the history holds
      const std::u32string before = model;
      const int undoCount = e.UndoHistory().Count();
      const std::size_t p = caretOffset();
      if (pick(16) == 0) {
        // Scrolling in a window of a few columns must never move the caret off its column.
        f.host.width = TQuillEditor::GutterWidth + f.host.canvas.charWidth * (3 + static_cast<int>(pick(30)));
        e.HandleResize();
      }
      const std::size_t action = pick(13);
      switch (action) {
        case 0: {  // typing
          const std::u32string typed = randomText(1, false);
          e.SetSelStart(static_cast<int>(p));
          TypeUnicode(e, typed);
          model.insert(p, typed);
          break;
        }
        case 1:  // Backspace: a character, or a whole line break
          e.SetSelStart(static_cast<int>(p));
          e.KeyPress('\b');
          if (p >= 2 && model[p - 1] == '\n') model.erase(p - 2, 2); else if (p >= 1) model.erase(p - 1, 1);
          break;
        case 2:  // Delete
          e.SetSelStart(static_cast<int>(p));
          e.EnsureCaretVisible();  // a key pressed while the caret is off the screen only scrolls it back
          Key(e, vk::Delete);
          if (p < model.size()) model.erase(p, model[p] == '\r' ? 2 : 1);
          break;
        case 3: case 4: {  // a selection replaced by pasted text, or cut, or copied and pasted elsewhere
          selectFrom(p);
          const std::size_t kind = pick(3);
          if (kind == 0) {
            const std::u32string pasted = randomText(pick(8), true);
            std::u32string pastedMarks;
            const std::string text = UnicodeToMarked(pasted, pastedMarks);
            e.PasteText(text, pastedMarks);
            model.replace(a, b - a, pasted);
          } else if (kind == 1) {
            e.CutToClipboard();
            clipboard = model.substr(a, b - a);
            model.erase(a, b - a);
          } else {
            e.SetSelStart(static_cast<int>(p));
            e.PasteFromClipboard();
            model.insert(p, clipboard);
          }
          break;
        }
        case 5: {  // a command rewriting the selection: upper case
          selectFrom(p);
          e.SetSelText(Win1250Upper(e.SelText()));
          std::u32string part = model.substr(a, b - a);
          for (char32_t& cp : part) {
            std::u32string one;
            const std::string byte = UnicodeToMarked(std::u32string(1, cp), one);
            if (one.empty()) cp = Win1250ToUnicode(Win1250Upper(byte)[0]);
          }
          model.replace(a, b - a, part);
          break;
        }
        case 6:  // Enter splits a line
          e.SetSelStart(static_cast<int>(p));
          e.KeyPress('\r');
          model.insert(p, U"\r\n");
          break;
        case 7: e.SetWordWrap(!e.WordWrap()); break;
        case 9: {  // text set into a selection, with any line ends and TABs
          selectFrom(p);
          std::string text;
          for (std::size_t n = pick(pick(8) == 0 ? 60 : 6); n > 0; --n) text += "ab \t\r\n.\xB9"[pick(8)];
          e.SetSelText(text);
          const std::string stored = Normalised(text, e.TabSize());
          std::u32string unicode;
          for (char c : stored) unicode += Win1250ToUnicode(c);
          model.replace(a, b - a, unicode);
          ASSERT_EQ(e.SelStart(), static_cast<int>(a + stored.size()));
          break;
        }
        case 10: {  // the mouse, the wheel, the scroll bar or a new font; typing then lands on the selection
          const auto x = [&] { return static_cast<int>(pick(260)); };
          switch (pick(4)) {
            case 0:  // a drag, often past the window's edge, with autoscroll ticks
              e.MouseDown(TMouseButton::mbLeft, TShiftState{ssLeft}, x(), static_cast<int>(pick(160)));
              e.MouseMove(TShiftState{ssLeft}, x(), static_cast<int>(pick(2) ? pick(160) : 160 + pick(200)));
              for (std::size_t t = pick(4); t > 0; --t) e.TimerTick();
              e.MouseUp(TMouseButton::mbLeft, TShiftState{}, x(), 0);
              break;
            case 1: e.MouseWheel(pick(2) ? 120 : -240, TShiftState{}); break;
            case 2: e.VScroll(pick(2) ? TQuillEditor::TScrollRequest::PageDown : TQuillEditor::TScrollRequest::LineUp, 0); break;
            default:
              f.host.canvas.charWidth = 4 * (1 + static_cast<int>(pick(3)));
              e.SetFont(TFont{"F", f.host.canvas.charWidth});
          }
          const int start = e.SelStart(), length = e.SelLength();
          e.KeyPress('q');
          model.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), U"q");
          ASSERT_EQ(e.SelStart(), start + 1);
          // Typing over a selection makes two undo records; undoing is the other operations' business.
          e.ClearUndo();
          history.clear();
          break;
        }
        case 11: case 12: {  // caret keys, the column for vertical moves kept from where they started
          e.SetSelStart(static_cast<int>(p));
          int desired = e.DesiredCol();  // placing the caret through SelStart keeps the column
          for (std::size_t n = 1 + pick(3); n > 0; --n) {
            e.EnsureCaretVisible();  // a key pressed while the caret is off the screen only scrolls it back
            const int line = e.CurrentLine(), column = Column(e);
            const int key = kCaretKeys[pick(std::size(kCaretKeys))];
            Key(e, key);
            if (!e.WordWrapInEffect() && key != vk::Prior && key != vk::Next) {
              const std::vector<std::u32string> lines = LinesOf(model);
              const int last = static_cast<int>(lines.size()) - 1;
              const int target = key == vk::Up ? std::max(line - 1, 0) : key == vk::Down ? std::min(line + 1, last) : line;
              // Up on the first line and Down on the last leave the caret where it was.
              const bool stays = (key == vk::Up || key == vk::Down) && target == line;
              ASSERT_EQ(e.CurrentLine(), target) << "step " << step << " key " << key;
              ASSERT_EQ(Column(e), stays ? column
                                         : ExpectedColumn(key, lines[static_cast<std::size_t>(target)], column, desired,
                                                          e.LeftCol() + 1))
                  << "step " << step << " key " << key;
            }
            if (key != vk::Up && key != vk::Down && key != vk::Prior && key != vk::Next) desired = Column(e);
          }
          break;
        }
        case 8:
          if (history.empty()) continue;
          e.Undo();
          model = history.back();
          history.pop_back();
          break;
      }
      if (action != 8 && e.UndoHistory().Count() > undoCount) history.push_back(before);
      ASSERT_EQ(Utf8(Shown(e)), Utf8(model)) << "round " << round << " step " << step << " action " << action;
      ASSERT_TRUE(e.Marks().empty() || e.Marks().size() == CountMarkBytes(e.Text()));
      ASSERT_EQ(EncodeDocument(e.Text(), "utf-8", e.Marks()), Utf8(model));
      ASSERT_LT(e.CurrentLine(), e.Lines().Count());
      ASSERT_EQ(e.SelEnd(), (TTextPos{e.LeftCol() + e.CaretCol(), e.CurrentLine()})) << action;
      for (int i = 0; e.WordWrapInEffect() && i < e.Lines().Count(); ++i)
        ASSERT_FALSE(e.TooWide(e.Lines().Line(i))) << "piece " << i << " at step " << step;
    }
  }
}

// Typing into a UTF-8 document and saving it goes through the same decoding and encoding as the model
// above; through the real program it is the end-to-end Utf8Documents cases, and opening and saving marks
// through the document commands is DocumentCommandsTest.RoundTripsInEveryCodePageAndLineEnd.

// Switching a UTF-8 document to an 8-bit code page shows at once the "?" that the save writes (saving is
// the end-to-end EightBitDocuments case); the characters the code page can hold stay, with one note, and
// undo brings the foreign ones back.
TEST(ForeignMarks, SwitchingToAnEightBitCodePageShowsTheQuestionMarks) {
  doc_test::DocumentFixture d;
  int notes = 0;
  d.e->OnForeignReplaced = [&] { ++notes; };
  WriteBytes(d.dir / "u.txt", "\xD1\x8F \xC2\x87\xC2\x81 \xC5\xBC");  // я, U+0087, U+0081, ż
  d.docs.OpenDocument(d.dir / "u.txt");
  d.docs.ChooseCodePage(TDocumentCommands::CodePageCommand::Iso88592);
  EXPECT_EQ(d.e->Text(), "? ?\x81 \xBF");
  EXPECT_EQ(notes, 1);
  d.e->Undo();
  EXPECT_EQ(d.e->Marks(), (std::u32string{U'\u044F', U'\u0087', U'\u0081'}));
}

// A mark is drawn as its character in the cell its reserved byte measures, never as the byte itself
// (Backspace, undo and the clipboard on marks are the model check's).
TEST(ForeignMarks, MarksAreDrawnAsTheirCharacters) {
  EditorFixture f;
  std::u32string marks;
  // None on the first line; the last is long.
  const std::string text = UnicodeToMarked(U"ab\r\n\u0416x\r\ny\u028C\u4E2D" + std::u32string(5000, U'z'), marks);
  f->SetMarkedText(text, marks);
  f.host.canvas.calls.clear();
  f->Paint();
  std::vector<std::pair<char32_t, int>> drawn;
  for (const auto& call : f.host.canvas.calls)
    if (call.kind == RecordingCanvas::Call::Character) drawn.emplace_back(call.character, call.x);
  const int w = f.host.canvas.charWidth, x = TQuillEditor::GutterWidth;
  EXPECT_EQ(drawn, (std::vector<std::pair<char32_t, int>>{{U'\u0416', x}, {U'\u028C', x + w}, {U'\u4E2D', x + 2 * w}}));
  for (const auto& call : f.host.canvas.TextsAt(f.host.canvas.cellHeight)) EXPECT_EQ(call.text.find_first_of("\x81\x83"), std::string::npos);
}
