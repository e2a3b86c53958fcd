#include "app/TextCommands.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "app/LangTable.h"
#include "app/MainWindowLogic.h"
#include "app/MetaTags.h"
#include "app/Win1250Case.h"
#include "app/Win1250Unicode.h"
#include "editor/TQuillEditor.h"
#include "platform/Dialogs.h"

namespace {

void Select(TQuillEditor& editor, int start, int length) {
  editor.SetSelStart(start);
  editor.SetSelLength(length);
}

}  // namespace

TLineRange SelectedLineRange(const TQuillEditor& editor) {
  const LineStore& lines = editor.Lines();
  const int count = lines.Count();
  if (count == 0) return {};
  const int s = editor.SelStart(), n = editor.SelLength();
  // A soft break counts no offset, so the first line is found by walking back over the pieces of a
  // wrapped document line.
  int first = std::min(editor.OffsetToPos(s).Line, count - 1);
  while (first > 0 && lines.LineFlag(first - 1) == 1) --first;
  const TTextPos endPos = editor.OffsetToPos(s + n);
  int last = std::min(endPos.Line, count - 1);
  // Lines chosen from their starts (Shift+Down) end at the start of the next line, which they do not
  // mean to touch.
  if (n > 0 && endPos.Line < count && endPos.Column == 1 && last > first && lines.LineFlag(last - 1) == 0) --last;
  while (last + 1 < count && lines.LineFlag(last) == 1) ++last;
  return {editor.PosToOffset(first, 1), editor.PosToOffset(last, lines.Length(last) + 1)};
}

void IndentLines(TQuillEditor& editor) {
  if (editor.Readonly()) return;
  const TLineRange range = SelectedLineRange(editor);
  editor.BeginUpdate();
  Select(editor, range.start, range.end - range.start);
  const std::string old = editor.SelText();
  std::string x = " ";
  x.reserve(old.size() + old.size() / 16 + 1);
  for (char c : old) {
    x += c;
    if (c == '\n') x += ' ';
  }
  editor.SetSelText(x);
  Select(editor, range.start, static_cast<int>(x.size()));
  editor.EndUpdate();
  editor.Paint();
}

void OutdentLines(TQuillEditor& editor) {
  if (editor.Readonly()) return;
  const TLineRange range = SelectedLineRange(editor);
  if (range.start == range.end) return;
  editor.BeginUpdate();
  Select(editor, range.start, range.end - range.start);
  const std::string old = editor.SelText();
  std::string x;
  x.reserve(old.size());
  bool lineStart = true;
  for (char c : old) {
    if (!(lineStart && c == ' ')) x += c;
    lineStart = c == '\n';
  }
  // Lines without a leading blank are left alone: no undo step, no change mark.
  if (x != old) editor.SetSelText(x);
  Select(editor, range.start, static_cast<int>(x.size()));
  editor.EndUpdate();
  editor.Paint();
}

namespace {

void ChangeCase(TQuillEditor& editor, std::string (*convert)(std::string_view)) {
  if (editor.Readonly() || editor.SelLength() == 0) return;
  const std::string old = editor.SelText();
  const std::string changed = convert(old);
  if (changed != old) editor.SetSelText(changed);
}

}  // namespace

void LowerCaseSelection(TQuillEditor& editor) {
  ChangeCase(editor, [](std::string_view s) { return Win1250Lower(s); });
}

void UpperCaseSelection(TQuillEditor& editor) {
  ChangeCase(editor, [](std::string_view s) { return Win1250Upper(s); });
}

void InsertDateTime(TQuillEditor& editor, const std::string& dateTime) { editor.WrapSelection(dateTime, std::string()); }

std::optional<int> ParseLineNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void GotoLine(TQuillEditor& editor, int line) {
  line = std::max(line, 0);
  if (line >= editor.Lines().Count()) return;
  if (line < editor.TopLine() || line > editor.TopLine() + editor.VisibleRows())
    editor.VScroll(TQuillEditor::TScrollRequest::ThumbPosition, line);
  editor.MoveCaretTo(line, 1);
  // The selection goes with the caret, so what is typed next lands there.
  editor.FinishCaretMove();
  editor.Paint();
}

void GotoLineCommand(TQuillEditor& editor, Dialogs& dialogs) {
  const int language = InterfaceLanguage();
  std::string label = LangText(81, language);
  if (const std::size_t at = label.find("%d"); at != std::string::npos)
    label.replace(at, 2, std::to_string(editor.Lines().Count()));
  const std::optional<std::string> entered = dialogs.Prompt(LangText(80, language), label, "1");
  if (!entered) return;
  // A number too large for a line simply names no line.
  if (const std::optional<int> n = ParseLineNumber(*entered)) GotoLine(editor, *n <= 1 ? 0 : *n - 1);
}

std::optional<std::string> TagAt(std::string_view text, int caret) {
  if (caret <= 0 || text.empty() || static_cast<std::size_t>(caret) > text.size()) return std::nullopt;
  const std::size_t p = static_cast<std::size_t>(caret) - 1;  // the character before the caret
  std::size_t open = p;
  while (text[open] != '<') {
    if (text[open] == '>' || open == 0) return std::nullopt;
    --open;
  }
  const std::size_t close = text.find('>', p);
  if (close == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(open, close - open + 1));
}

std::string LinkPath(std::string_view tag, const std::string& documentFileName) {
  std::string link = GetTagAttribute(tag, "href");
  if (link.empty()) link = GetTagAttribute(tag, "src");
  if (link.empty()) return {};
  // The document's text is Windows-1250; file names are UTF-8. Links written with Windows' "\" mean "/".
  link = Win1250ToUtf8(link);
  std::replace(link.begin(), link.end(), '\\', '/');
  if (link.front() == '/') return link;
  const std::size_t slash = documentFileName.rfind('/');
  if (slash == std::string::npos) return link;
  return documentFileName.substr(0, slash + 1) + link;
}

namespace {

// The tag around the caret, looked for in the stored lines near it rather than in a copy of the whole
// text, so that a right click costs the same in any document. A tag longer than the lines looked at
// counts as none.
std::optional<std::string> TagAtCaret(const TQuillEditor& editor) {
  constexpr int kReach = 64;  // stored lines on either side of the caret's
  const LineStore& lines = editor.Lines();
  const int count = lines.Count();
  if (count == 0) return std::nullopt;
  const int caret = editor.SelStart();
  const int line = std::min(editor.OffsetToPos(caret).Line, count - 1);
  const int from = std::max(0, line - kReach), to = std::min(count - 1, line + kReach);
  std::string near;
  for (int l = from; l <= to; ++l) {
    near += lines.Line(l);
    if (l < to && lines.LineFlag(l) != 1) near += "\r\n";
  }
  return TagAt(near, caret - editor.PosToOffset(from, 1));
}

}  // namespace

std::optional<std::string> LinkUnderCaret(const TQuillEditor& editor) {
  const std::optional<std::string> tag = TagAtCaret(editor);
  if (!tag) return std::nullopt;
  const std::string path = LinkPath(*tag, editor.DocumentFileName());
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec) || !PassesTextFileTest(path)) return std::nullopt;
  return path;
}
