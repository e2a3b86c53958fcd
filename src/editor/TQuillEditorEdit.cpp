// Typing and the editing keys: characters with the automatic closing pairs, Enter with indentation and
// list continuation, Tab, Backspace and Delete. Each records its undo entry and re-flows wrapped lines.
#include <algorithm>
#include <cctype>

#include "editor/ForeignMarks.h"
#include "editor/TQuillEditor.h"
#include "highlight/THighLighter.h"

char TQuillEditor::CharAtOffset(int offset) const {
  if (offset < 0) return 0;
  const TTextPos pos = OffsetToPos(offset);
  const int len = lines_.Length(pos.Line);
  if (pos.Line >= lines_.Count()) return 0;
  if (pos.Column <= len) return lines_.Line(pos.Line)[static_cast<std::size_t>(pos.Column - 1)];
  if (pos.Column == len + 1) return '\r';
  return '\n';
}

int TQuillEditor::RemoveAt(int offset) {
  const TTextPos pos = OffsetToPos(offset);
  const int line = pos.Line;
  if (line < 0 || line >= lines_.Count()) return 0;
  const std::string_view text = lines_.Line(line);
  const int len = static_cast<int>(text.size());
  if (pos.Column >= 1 && pos.Column <= len) {
    const std::string removed(1, text[static_cast<std::size_t>(pos.Column - 1)]);
    std::u32string mark = IsMarkByte(removed[0]) ? TakeMarkAt(pos) : std::u32string();
    std::string kept(lines_.Line(line));
    kept.erase(static_cast<std::size_t>(pos.Column - 1), 1);
    lines_.SetLine(line, kept);
    undo_.PushDelete(offset, removed, std::move(mark));
    if (wordWrapEffective_) {
      if (lines_.LineFlag(line - 1) == 1) RewrapLine(line - 1, line);
      else if (lines_.LineFlag(line) == 1) RewrapLine(line, line);
    }
    return 1;
  }
  if (pos.Column == len + 1 && lines_.LineFlag(line) == 0 && line + 1 < lines_.Count()) {
    // Join the next line; a soft break at its end now ends the joined line.
    const std::uint8_t nextFlag = lines_.LineFlag(line + 1);
    lines_.SetLine(line, std::string(text) + std::string(lines_.Line(line + 1)));
    lines_.Delete(line + 1);
    if (nextFlag == 1) lines_.SetLineFlag(line, 1);
    undo_.PushDelete(offset, "\r\n");
    if (wordWrapEffective_) RewrapLine(line, line);
    return 2;
  }
  return 0;
}

void TQuillEditor::StoreEditedLine(int line, const std::string& text) {
  lines_.SetLine(line, text);
  if (wordWrapEffective_ && TooWide(lines_.Line(line))) RewrapLine(line, line);
}

void TQuillEditor::EndEdit(int caretOffset) {
  const TTextPos caret = OffsetToPos(caretOffset);
  MoveCaretTo(caret.Line, caret.Column);
  view_.DesiredCol = view_.Column();
  FinishCaretMove();
  Paint();
  SetModified(true);
}

TTextPos TQuillEditor::OverwrittenPoint() const {
  const TTextPos point = EditPoint();
  // At the end of a wrapped piece the character after the caret starts the next piece.
  if (point.Column > lines_.Length(point.Line) && lines_.LineFlag(point.Line) == 1 && lines_.Length(point.Line + 1) > 0)
    return TTextPos{1, point.Line + 1};
  return point;
}

void TQuillEditor::TypeChar(char c) {
  if (readonly_) return;
  highlighter_->MarkStaleFrom(CurrentLine() - 1);
  // A character typed over a selection takes the selection's place, even in overwrite mode: writing
  // over the next character as well would lose it.
  bool replacedSelection = false;
  if (HasSelection()) {
    static constexpr struct { char open, close; TAutoCloseItem item; } pairs[] = {
        {'(', ')', acBracket}, {'{', '}', acCBracket}, {'"', '"', acDoubleQuote},
        {'\'', '\'', acSingleQuote}, {'<', '>', acTriangleBracket}, {'[', ']', acRectangleBracket}};
    for (const auto& pair : pairs) {
      if (pair.open == c && autoClose_.Has(pair.item)) {
        // The selected text is enclosed and stays selected between the pair.
        WrapSelection(std::string(1, pair.open), std::string(1, pair.close));
        RepaintUnlessLocked();
        return;
      }
    }
    // Two points at one offset (the end of a wrapped piece and the start of the next) select nothing.
    replacedSelection = SelLength() > 0;
    SetSelText("");
    CollapseSelection();
    RepaintUnlessLocked();
  }
  const int p = SelStart();
  const char b1 = CharAtOffset(p - 1), b2 = CharAtOffset(p - 2);
  std::string pair;
  if (c == '(' && autoClose_.Has(acBracket) && b2 != '(') pair = "()";
  else if (c == '{' && autoClose_.Has(acCBracket) && b2 != '{') pair = "{}";
  else if (c == '"' && autoClose_.Has(acDoubleQuote) && b1 != '"' && b2 != '"') pair = "\"\"";
  else if (c == '\'' && autoClose_.Has(acSingleQuote) && b1 != '\'' && b2 != '\'') pair = "''";
  else if (c == '<' && autoClose_.Has(acTriangleBracket) && b2 != '<') pair = "<>";
  else if (c == '[' && autoClose_.Has(acRectangleBracket) && b2 != '[') pair = "[]";

  const bool overwrite = overWriteMode_ && !replacedSelection && pair.empty();
  const TTextPos point = overwrite ? OverwrittenPoint() : EditPoint();
  const int line = point.Line;
  // The line is edited in place: copying it costs as much as the line is long.
  const std::string_view text = lines_.Line(line);
  const int column = std::clamp(point.Column, 1, static_cast<int>(text.size()) + 1);
  const auto at = static_cast<std::size_t>(column - 1);
  if (!pair.empty()) {
    undo_.PushInsert(p, 2);
    lines_.ReplaceInLine(line, at, 0, pair);
  } else if (!overwrite || column > static_cast<int>(text.size())) {
    undo_.PushInsert(p, 1);
    lines_.ReplaceInLine(line, at, 0, std::string_view(&c, 1));
  } else {
    const char old = text[at];
    undo_.PushReplace(p, 1, std::string(1, old),
                      IsMarkByte(old) ? TakeMarkAt(TTextPos{column, line}) : std::u32string());
    lines_.ReplaceInLine(line, at, 1, std::string_view(&c, 1));
  }
  if (wordWrapEffective_ && TooWide(lines_.Line(line))) RewrapLine(line, line);
  EndEdit(p + 1);  // after a pair the caret stands between the two
}

void TQuillEditor::EnterKey() {
  if (readonly_) return;
  if (HasSelection()) SetSelText("");
  highlighter_->MarkStaleFrom(CurrentLine() - 2);
  const int p = SelStart();
  const TTextPos at = EditPoint();
  const int line = at.Line;
  int first = line;
  while (first > 0 && lines_.LineFlag(first - 1) == 1) --first;
  const std::string firstText(lines_.Line(first));

  int indent = 0;
  if (textEnter_) {
    while (indent < static_cast<int>(firstText.size()) && firstText[static_cast<std::size_t>(indent)] == ' ') ++indent;
  }
  std::string cont;
  int extra = 0;
  if (!autoFollow_.Empty()) {
    std::string lower = firstText;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); });
    const auto nonBlank = lower.find_first_not_of(' ');
    const std::size_t i = nonBlank == std::string::npos ? 0 : nonBlank;
    const auto starts = [&](std::string_view tag) { return lower.compare(i, tag.size(), tag) == 0; };
    if (starts("<li") && autoFollow_.Has(afLI) && (i + 3 >= lower.size() || lower[i + 3] != 'n')) {
      // Only a list item with text after its tag is continued; Enter on a bare "<li>" ends the list.
      const auto close = lower.find('>', i);
      const auto rest = close == std::string::npos ? std::string::npos : lower.find_first_not_of(' ', close + 1);
      if (rest != std::string::npos) {
        cont = "<li>";
        extra = 4;
      }
    } else if (starts("<td") && autoFollow_.Has(afTD)) {
      cont = "<td></td>";
      extra = 4;
    } else if (starts("<option") && autoFollow_.Has(afOPTION)) {
      cont = "<option>";
      extra = 8;
    }
  }

  std::string text(lines_.Line(line));
  const int column = std::clamp(at.Column, 1, static_cast<int>(text.size()) + 1);
  std::string newLine = std::string(static_cast<std::size_t>(indent), ' ') + cont;
  newLine += text.substr(static_cast<std::size_t>(column - 1));
  text.erase(static_cast<std::size_t>(column - 1));
  const bool soft = lines_.LineFlag(line) == 1;
  lines_.SetLine(line, text);
  if (soft && newLine.empty()) {
    // Enter at the end of a piece that continues on the next stored line: the soft break simply
    // becomes a hard one. An empty line inserted here would end in a break of its own.
    lines_.SetLineFlag(line, 0);
  } else {
    if (soft) {
      lines_.InsertWithRecord(line + 1, newLine, TStringParams{1, 0});
    } else {
      lines_.Insert(line + 1, newLine);
    }
    if (lines_.HasRecord(line)) lines_.SetLineFlag(line, 0);
  }
  if (wordWrapEffective_) {
    RewrapLine(line + 1, line + 1);
    RewrapLine(line, line);
  }
  undo_.PushInsert(p, static_cast<int>(cont.size()) + 2 + indent);
  const TTextPos caret = OffsetToPos(p + 2 + indent + extra);
  MoveCaretTo(caret.Line, caret.Column);
  view_.DesiredCol = view_.Column();
  FinishCaretMove();
  if (visibleRows_ >= 2 && view_.CaretRow() >= visibleRows_ - 1) view_.ScrollRows(1);
  Paint();
  SetModified(true);
}

void TQuillEditor::TabKey() {
  if (readonly_) return;
  highlighter_->MarkStaleFrom(CurrentLine() - 1);
  if (HasSelection()) SetSelText("");
  const int p = SelStart();
  const int size = std::max(tabSize_, 0);
  undo_.PushInsert(p, size);
  const TTextPos at = EditPoint();
  const int line = at.Line;
  std::string text(lines_.Line(line));
  const int column = std::clamp(at.Column, 1, static_cast<int>(text.size()) + 1);
  text.insert(static_cast<std::size_t>(column - 1), static_cast<std::size_t>(size), ' ');
  StoreEditedLine(line, text);
  EndEdit(p + size);
}

void TQuillEditor::BackspaceKey() {
  if (readonly_) return;
  highlighter_->MarkStaleFrom(CurrentLine() - 2);
  if (HasSelection()) {
    SetSelText("");
    return;
  }
  const int p = SelStart();
  if (p <= 0) return;
  // The character before the caret, or the whole CR LF when the caret starts a line after a hard
  // break. At the start of a piece that continues a wrapped line this is the last character of the
  // previous piece, as anywhere else.
  int back = 0;
  if (p >= 2 && CharAtOffset(p - 1) == '\n') {
    back = RemoveAt(p - 2);
  } else {
    back = RemoveAt(p - 1);
  }
  if (back > 0) EndEdit(p - back);
}

void TQuillEditor::DeleteKey() {
  if (readonly_) return;
  highlighter_->MarkStaleFrom(CurrentLine() - 2);
  if (HasSelection()) {
    SetSelText("");
    return;
  }
  const int p = SelStart();
  if (RemoveAt(p) > 0) EndEdit(p);
}

void TQuillEditor::ComposedCharacter(char ch) {
  // Skipping covers only the character of the key press that asked for it; this one has none.
  skipNextChar_ = false;
  KeyPress(ch);
}

void TQuillEditor::KeyPress(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c < 32 && c != 8 && c != 9 && c != 13) {
    skipNextChar_ = false;
    if (OnKeyPress) OnKeyPress(ch);
    return;
  }
  if (skipNextChar_ || readonly_) {
    skipNextChar_ = false;
    if (OnKeyPress) OnKeyPress(ch);
    return;
  }
  switch (c) {
    case 8:
      BackspaceKey();
      if (OnKeyPress) OnKeyPress(ch);
      break;
    case 9:
      TabKey();
      if (OnKeyPress) OnKeyPress(ch);
      break;
    case 13:
      if (OnKeyPress) OnKeyPress(ch);
      if (ch != 0) EnterKey();
      break;
    default:
      // A reserved byte typed as such is the C1 control it stands for, never a copy of another mark.
      if (IsMarkByte(ch)) TypeForeignCharacter(DefaultMark(ch)); else TypeChar(ch);
      if (OnKeyPress) OnKeyPress(ch);
      break;
  }
}
