// The editor driven by a stream of keys, typed characters, mouse presses and drags, autoscroll ticks,
// the wheel, resizes, font changes, word wrap on and off, undo, selection and clipboard operations,
// checked against a plain string model:
//  - an edit whose result is plain (typing, Tab, Enter, Backspace, Delete, cut, paste) gives the model's
//    text, made where the selection is; everything else leaves the text as it was;
//  - the selection lies inside the text, is where SelStart and SelLength put it and stays there through
//    resizes and font changes; the caret is at an existing place of an existing line (or, after a
//    vertical move onto a line that ends left of the view, on the first visible column) and is the
//    selection's end;
//  - with word wrap on, every stored piece fits the window (but one character too wide for it);
//  - undoing everything restores the starting text.
//
// QUILL_FUZZ_TRACE=1 prints every operation and the text after it.
//
// Input: the starting text (length first), a settings byte, then one operation per byte or few.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "editor/TQuillEditor.h"
#include "fakes/FakeEditorHost.h"

namespace {

// Characters as wide as the font is large, so a new font re-wraps and re-measures; nothing is recorded.
class FontCanvas : public RecordingCanvas {
public:
  void SetFont(const std::string& name, int size) override {
    RecordingCanvas::SetFont(name, size);
    charWidth = std::max(1, size * 8 / 10);
    cellHeight = std::max(1, size * 16 / 10);
  }
  void TextOut(int, int, std::string_view, TColor, TColor) override {}
  void FillRect(int, int, int, int, TColor) override {}
  void SetPixel(int, int, TColor) override {}
  void Line(int, int, int, int, TColor) override {}
  void DrawGlyph(int, int, int) override {}
};

class Host : public FakeEditorHost {
public:
  FontCanvas fontCanvas;
  Canvas& GetCanvas() override { return fontCanvas; }
};

const char* const kClips[] = {"x", "ab", "a\r\nb", "\r\n", "<li>", "\t", "z\xB9", "  "};
constexpr int kKeys[] = {vk::Left,  vk::Right,  vk::Up,     vk::Down,   vk::Home, vk::End, vk::Prior,
                         vk::Next,  vk::Delete, vk::Back,   vk::Return, vk::Tab,  vk::Insert, vk::Escape,
                         'A',       'C',        'V',        'X',        'Z',      vk::Space};

std::string Without(const std::string& text, int start, int length) {
  return text.substr(0, static_cast<std::size_t>(start)) + text.substr(static_cast<std::size_t>(start + length));
}

char At(const std::string& text, int i) { return i >= 0 && i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : 0; }

class Run {
public:
  Run(FuzzInput& in) : in_(in) {}

  void Go() {
    host_.width = TQuillEditor::GutterWidth + 8 * (1 + in_.Below(60));
    host_.height = 16 * (1 + in_.Below(12));
    e_.HandleCreated();
    const std::uint8_t settings = in_.Byte();
    e_.SetTextEnter((settings & 1) != 0);
    e_.SetAutoClose((settings & 2) ? TAutoClose{acBracket, acCBracket, acDoubleQuote, acSingleQuote,
                                                acTriangleBracket, acRectangleBracket}
                                   : TAutoClose{});
    e_.SetAutoFollow((settings & 4) ? TAutoFollow{afLI, afTD, afOPTION} : TAutoFollow{});
    e_.SetWordWrap((settings & 8) != 0);
    e_.SetTabSize(settings >> 4 & 7);
    e_.SetText(in_.Bytes(400));
    e_.ClearUndo();  // as after opening a document: the loading itself is no edit
    const std::string start = e_.Text();
    CheckConsistent("loading");
    bool undoOverflowed = false;
    for (int op = 0; op < 300 && !in_.Empty(); ++op) {
      const std::string before = e_.Text();
      follow_ = false;
      const std::string expected = Step(before);
      Trace(last_);
      CheckConsistent(last_);
      if (!follow_)
        FUZZ_CHECK(e_.Text() == expected, last_ + " gave\n" + Escaped(e_.Text()) + "\ninstead of\n" +
                                              Escaped(expected) + "\nfrom\n" + Escaped(before));
      if (e_.UndoHistory().Count() >= TUndoClass::Capacity) undoOverflowed = true;
    }
    if (undoOverflowed) return;
    for (int i = 0; i <= TUndoClass::Capacity && e_.UndoHistory().CanUndo(); ++i) {
      e_.Undo();
      Trace("undo");
    }
    FUZZ_CHECK(e_.Text() == start, "undoing everything gave\n" + Escaped(e_.Text()) + "\ninstead of\n" + Escaped(start));
  }

private:
  // One operation; returns the text it must leave.
  std::string Step(const std::string& text) {
    const int s = e_.SelStart(), l = e_.SelLength();
    const std::string cut = Without(text, s, l);
    overwrite_ = e_.OverWriteMode();
    const int kind = in_.Below(24);
    last_ = "operation " + std::to_string(kind);
    switch (kind) {
      case 0: case 1: case 2: case 3: case 4: case 5: {  // a typed character: its key, or an input method
        const char c = static_cast<char>(in_.Flag() ? kTyped[in_.Below(sizeof kTyped - 1)] : (32 + in_.Below(224)));
        const bool inputMethod = kind == 5;
        last_ = std::string(inputMethod ? "composing '" : "typing '") + Escaped(std::string(1, c)) + "'";
        if (!inputMethod) {
          const auto u = static_cast<unsigned char>(c);
          int key = (u >= 'a' && u <= 'z') ? u - 32 : (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') ? u : vk::OtherCharacterKey;
          if (c == ' ') key = vk::Space;
          e_.KeyDown(key, {});
        }
        if (inputMethod) e_.ComposedCharacter(c); else e_.KeyPress(c);
        return Typed(text, s, l, c, overwrite_);
      }
      case 6: case 7: case 8: case 9: {  // a key, as the window sends it: key down, then its character
        int key = kKeys[in_.Below(sizeof kKeys / sizeof kKeys[0])];
        const std::uint8_t mods = in_.Byte();
        TShiftState shift;
        if (mods & 1) shift.Include(ssShift);
        if (mods & 2) shift.Include(ssCtrl);
        last_ = "key " + std::to_string(key) + " shift " + std::to_string(mods & 3);
        const int pressed = key;
        e_.KeyDown(key, shift);
        std::optional<char> typed;
        if (pressed == vk::Return) typed = shift.Has(ssCtrl) ? '\n' : '\r';
        if (pressed == vk::Back) typed = shift.Has(ssCtrl) ? '\x7f' : '\b';
        if (pressed == vk::Tab && !shift.Has(ssCtrl)) typed = '\t';
        if (pressed == vk::Escape) typed = '\x1b';
        if (pressed == vk::Space) typed = ' ';
        if (pressed >= 'A' && pressed <= 'Z' && shift.Has(ssCtrl)) typed = static_cast<char>(pressed - 'A' + 1);
        if (typed) e_.KeyPress(*typed);
        if (!(mods & 3)) return PlainKey(pressed, text, s, l, cut);
        follow_ = true;
        return {};
      }
      case 10: case 11: case 12: {  // a press, a drag with the button held, a release
        const TMouseButton button = in_.Below(4) == 0 ? TMouseButton::mbRight : TMouseButton::mbLeft;
        TShiftState shift;
        if (in_.Below(4) == 0) shift.Include(ssShift);
        // Points are read x first: the order of function arguments is the compiler's to choose.
        Point p = Position();
        e_.MouseDown(button, shift, p.x, p.y);
        for (int moves = in_.Below(4); moves > 0; --moves) {
          TShiftState held = shift;
          held.Include(ssLeft);
          p = Position();
          e_.MouseMove(held, p.x, p.y);
          for (int ticks = in_.Below(4); ticks > 0 && host_.timerRunning; --ticks) e_.TimerTick();
        }
        if (in_.Flag()) e_.DoubleClick();
        p = Position();
        e_.MouseUp(button, shift, p.x, p.y);
        last_ = "mouse";
        return text;
      }
      case 13: {
        TShiftState shift;
        if (in_.Flag()) shift.Include(ssCtrl);
        e_.MouseWheel(in_.Flag() ? 120 : -120 * (1 + in_.Below(3)), shift);
        last_ = "wheel";
        return text;
      }
      case 14:
        if (host_.timerRunning) e_.TimerTick();
        last_ = "timer tick";
        return text;
      case 15:
        host_.width = TQuillEditor::GutterWidth + in_.Below(400);
        host_.height = in_.Below(300);
        e_.HandleResize();
        last_ = "resize to " + std::to_string(host_.width) + " x " + std::to_string(host_.height);
        // Re-wrapping for a new width or a new font keeps the selection where it is in the text.
        selectionAsAsked_ = e_.SelStart() == s && e_.SelLength() == l;
        return text;
      case 16:
        e_.SetFont(TFont{"FixedSys", 6 + in_.Below(20)});
        last_ = "font size " + std::to_string(e_.Font().Size);
        selectionAsAsked_ = e_.SelStart() == s && e_.SelLength() == l;
        return text;
      case 17:
        e_.SetWordWrap(!e_.WordWrap());
        last_ = std::string("word wrap ") + (e_.WordWrap() ? "on" : "off");
        return text;
      case 18:
        e_.Undo();
        last_ = "undo";
        follow_ = true;
        return {};
      case 19: {
        const int start = in_.Below(static_cast<int>(text.size()) + 1);
        const int length = in_.Below(static_cast<int>(text.size()) - start + 2);
        e_.SetSelStart(start);
        e_.SetSelLength(length);
        last_ = "select " + std::to_string(start) + "+" + std::to_string(length);
        // An offset between CR and LF names no place of its own.
        const auto inBreak = [&](int offset) { return At(text, offset - 1) == '\r' && At(text, offset) == '\n'; };
        if (!inBreak(start) && !inBreak(start + length))
          selectionAsAsked_ = e_.SelStart() == start && e_.SelLength() == std::min(length, static_cast<int>(text.size()) - start);
        return text;
      }
      case 20:
        e_.SelectAll();
        last_ = "select all";
        return text;
      case 21: {
        const std::string selected = e_.SelText();
        const std::string clip = host_.clipboard;
        const int which = in_.Below(3);
        if (which == 0) {
          e_.CopyToClipboard();
          last_ = "copy";
          FUZZ_CHECK(host_.clipboard == (l > 0 ? selected : clip), "copy put " + Escaped(host_.clipboard));
          return text;
        }
        if (which == 1) {
          e_.CutToClipboard();
          last_ = "cut";
          if (l == 0) return text;
          FUZZ_CHECK(host_.clipboard == selected, "cut put " + Escaped(host_.clipboard));
          return cut;
        }
        e_.PasteFromClipboard();
        last_ = "paste " + Escaped(clip);
        // Line breaks (a lone CR becomes CR LF too) and TABs are normalised: the model follows the editor.
        if (clip.find_first_of("\t\r\n") != std::string::npos) {
          follow_ = true;
          return {};
        }
        return cut.substr(0, static_cast<std::size_t>(s)) + clip + cut.substr(static_cast<std::size_t>(s));
      }
      case 22:
        host_.clipboard = in_.Flag() ? kClips[in_.Below(8)] : in_.Bytes(6);
        last_ = "clipboard";
        return text;
      default: {
        const bool vertical = in_.Flag();
        const auto request = static_cast<TQuillEditor::TScrollRequest>(in_.Below(8));
        const int pos = in_.Below(vertical ? e_.Lines().Count() + 2 : 80);
        // With word wrap on there is no horizontal scroll bar to move.
        if (vertical)
          e_.VScroll(request, pos);
        else if (!e_.WordWrapInEffect())
          e_.HScroll(request, pos);
        last_ = std::string(vertical ? "vertical" : "horizontal") + " scroll " + std::to_string(static_cast<int>(request));
        return text;
      }
    }
  }

  // Typing c over the selection [s, s + l): the character, or the pair the typing aids close it with.
  std::string Typed(const std::string& text, int s, int l, char c, bool overwrite) {
    static constexpr struct { char open, close; TAutoCloseItem item; } pairs[] = {
        {'(', ')', acBracket}, {'{', '}', acCBracket}, {'"', '"', acDoubleQuote},
        {'\'', '\'', acSingleQuote}, {'<', '>', acTriangleBracket}, {'[', ']', acRectangleBracket}};
    const std::string cut = Without(text, s, l);
    std::string insert(1, c);
    for (const auto& pair : pairs) {
      if (pair.open != c || !e_.AutoClose().Has(pair.item)) continue;
      if (l > 0) return text.substr(0, static_cast<std::size_t>(s)) + pair.open + text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(l)) + pair.close + text.substr(static_cast<std::size_t>(s + l));
      const char b1 = At(cut, s - 1), b2 = At(cut, s - 2);
      const bool quote = c == '"' || c == '\'';
      if (quote ? (b1 != c && b2 != c) : b2 != c) insert = std::string{pair.open, pair.close};
    }
    const bool overwrites = insert.size() == 1 && overwrite && s < static_cast<int>(cut.size()) && At(cut, s) != '\r';
    const std::string overwritten =
        overwrites ? cut.substr(0, static_cast<std::size_t>(s)) + c + cut.substr(static_cast<std::size_t>(s + 1)) : cut;
    // Over a selection the character only takes the selection's place.
    if (overwrites && l == 0) return overwritten;
    return cut.substr(0, static_cast<std::size_t>(s)) + insert + cut.substr(static_cast<std::size_t>(s));
  }

  std::string PlainKey(int key, const std::string& text, int s, int l, const std::string& cut) {
    const auto at = [&](const std::string& insert) {
      return cut.substr(0, static_cast<std::size_t>(s)) + insert + cut.substr(static_cast<std::size_t>(s));
    };
    switch (key) {
      case vk::Tab:
        return at(std::string(static_cast<std::size_t>(e_.TabSize()), ' '));
      case vk::Return:
        if (e_.TextEnter() || !e_.AutoFollow().Empty()) break;
        return at("\r\n");
      case vk::Back:
        if (l > 0) return cut;
        if (s == 0) return text;
        return Without(text, s >= 2 && At(text, s - 1) == '\n' ? s - 2 : s - 1, s >= 2 && At(text, s - 1) == '\n' ? 2 : 1);
      case vk::Delete: {
        // A key pressed while the caret is off the screen only brings the caret back.
        std::string deleted = l > 0 ? cut : s >= static_cast<int>(text.size()) ? text : Without(text, s, At(text, s) == '\r' ? 2 : 1);
        if (e_.Text() == text) return text;
        return deleted;
      }
      case vk::Insert: case vk::Escape: case vk::Left: case vk::Right: case vk::Up: case vk::Down: case vk::Home:
      case vk::End: case vk::Prior: case vk::Next: case 'A': case 'C': case 'V': case 'X': case 'Z':
        return text;
      case vk::Space:
        return Typed(text, s, l, ' ', overwrite_);
      default:
        break;
    }
    follow_ = true;
    return {};
  }

  struct Point { int x, y; };
  Point Position() {
    const int x = TQuillEditor::GutterWidth - 60 + in_.Below(host_.width + 100);
    const int y = -40 + in_.Below(host_.height + 100);
    return {x, y};
  }

  void Trace(const std::string& what) {
    if (std::getenv("QUILL_FUZZ_TRACE"))
      std::fprintf(stderr, "%s: sel %d+%d, caret line %d column %d%s, undo %d: %s\n", what.c_str(), e_.SelStart(),
                   e_.SelLength(), e_.CurrentLine(), e_.LeftCol() + e_.CaretCol(), e_.OverWriteMode() ? " (overwrite)" : "",
                   e_.UndoHistory().Count(), Escaped(e_.Text()).c_str());
  }

  // The checks after every operation.
  void CheckConsistent(const std::string& what) {
    const int s = e_.SelStart(), l = e_.SelLength();
    const std::string selection = std::to_string(s) + "+" + std::to_string(l);
    const TTextPos caret{e_.LeftCol() + e_.CaretCol(), e_.CurrentLine()};
    const std::string at = "line " + std::to_string(caret.Line) + " column " + std::to_string(caret.Column);
    FUZZ_CHECK(selectionAsAsked_, "after " + what + " the selection is " + selection);
    selectionAsAsked_ = true;
    FUZZ_CHECK(s >= 0 && l >= 0 && s + l <= static_cast<int>(e_.Text().size()),
               "after " + what + " the selection " + selection + " leaves the text");
    // A vertical move onto a line that ends left of the view leaves the caret on the first visible column.
    const int lastColumn = caret.Line >= 0 && caret.Line < e_.Lines().Count()
                               ? std::max(e_.Lines().Length(caret.Line) + 1, e_.LeftCol() + 1) : 0;
    FUZZ_CHECK(caret.Column >= 1 && caret.Column <= lastColumn,
               "after " + what + " the caret is at " + at + " of " + std::to_string(e_.Lines().Count()) + " lines");
    FUZZ_CHECK(caret == e_.SelEnd(), "after " + what + " the caret at " + at + " is not the selection's end");
    for (int i = 0; e_.WordWrapInEffect() && i < e_.Lines().Count(); ++i)
      FUZZ_CHECK(e_.Lines().Length(i) <= 1 || !e_.TooWide(e_.Lines().Line(i)),
                 "after " + what + " wrapped line " + std::to_string(i) + " is too wide");
  }

  static constexpr char kTyped[] = "a (\"'<[{}]>)-=x\xB9";
  FuzzInput& in_;
  Host host_;
  TQuillEditor e_{&host_};
  std::string last_;
  bool follow_ = false;     // the last operation's text is not foretold: the model follows the editor
  bool overwrite_ = false;  // the overwrite mode before the last operation
  bool selectionAsAsked_ = true;  // the last selection set through SelStart and SelLength is where asked
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  Run(in).Go();
  return 0;
}
