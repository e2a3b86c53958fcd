#include "editor/TQuillEditor.h"

#include <algorithm>

#include "editor/ByteScan.h"
#include "editor/ForeignMarks.h"
#include "editor/LargeBuffers.h"
#include "highlight/HighlighterFactory.h"
#include "highlight/THighLighter.h"
#include "platform/EditorHost.h"

TQuillEditor::TQuillEditor(EditorHost* host) : host_(host) {
  lines_.Insert(0, "");
  highlighter_ = CreateHighlighter(true, TColorStyle{});
  highlighter_->Attach(&lines_);
}

TQuillEditor::~TQuillEditor() {
  if (host_) host_->StopTimer();
}

// ---- Offsets ----------------------------------------------------------------------------------------

TTextPos TQuillEditor::OffsetToPos(int offset) const {
  // The first line that starts at or after the offset decides: either the offset is that line's start,
  // or it lies inside (or at the end, or between the CR and LF) of the line before it.
  const int count = lines_.Count();
  const int first = lines_.FirstLineStartingAtOrAfter(offset);
  if (offset <= 0) return {1, 0};
  if (first < count) {
    const auto start = lines_.OffsetOfLine(first);
    if (start == offset) return {1, first};
    const int line = first - 1;
    return {static_cast<int>(offset - lines_.OffsetOfLine(line)) + 1, line};
  }
  const auto end = lines_.OffsetOfLine(count);
  if (count > 0 && offset < end) {
    return {static_cast<int>(offset - lines_.OffsetOfLine(count - 1)) + 1, count - 1};
  }
  return {std::max(1, static_cast<int>(offset - end) + 1), count};
}

int TQuillEditor::PosToOffset(int line, int column) const {
  return static_cast<int>(lines_.OffsetOfLine(line)) + column - 1;
}

int TQuillEditor::LogicalLine(int line) const { return line - lines_.SoftBreaksBefore(line); }

int TQuillEditor::LogicalColumn(int line, int column) const {
  int c = column;
  for (int l = line - 1; l >= 0 && lines_.LineFlag(l) == 1; --l) c += lines_.Length(l);
  return c;
}

// ---- Selection -------------------------------------------------------------------------------------

std::pair<TTextPos, TTextPos> TQuillEditor::NormalizedSelection() const {
  // The caret may stand past the end of a short line (after a vertical move); for offsets and edits
  // that point is the line's end, or the offset would reach into the line break or the next line.
  const auto clamp = [this](TTextPos p) {
    if (p.Line >= 0 && p.Line < lines_.Count()) p.Column = std::min(p.Column, lines_.Length(p.Line) + 1);
    return p;
  };
  const TTextPos anchor = clamp(selAnchor_), end = clamp(selEnd_);
  const bool endFirst = end.Line < anchor.Line || (end.Line == anchor.Line && end.Column < anchor.Column);
  return endFirst ? std::pair{end, anchor} : std::pair{anchor, end};
}

TTextPos TQuillEditor::CaretPointAt(int offset) const {
  // Hosts pass offsets inside the text; anything else is clamped to it.
  TTextPos p = OffsetToPos(std::clamp(offset, 0, static_cast<int>(lines_.TextLength())));
  if (p.Line < lines_.Count()) p.Column = std::min(p.Column, lines_.Length(p.Line) + 1);
  return p;
}

int TQuillEditor::ClampedOffset(TTextPos p) const {
  const int count = lines_.Count();
  p.Line = std::clamp(p.Line, 0, count - 1);
  p.Column = std::clamp(p.Column, 1, lines_.Length(p.Line) + 1);
  return PosToOffset(p.Line, p.Column);
}

void TQuillEditor::PlaceSelection(int anchor, int end) {
  const int size = static_cast<int>(lines_.TextLength());
  selAnchor_ = OffsetToPos(std::clamp(anchor, 0, size));
  const TTextPos caret = OffsetToPos(std::clamp(end, 0, size));
  MoveCaretTo(caret.Line, caret.Column);
  selEnd_ = caret;
}

void TQuillEditor::CollapseSelection() {
  selAnchor_ = selEnd_ = TTextPos{view_.Column(), view_.Line()};
}

void TQuillEditor::ExtendSelection() {
  const TTextPos caret{view_.Column(), view_.Line()};
  if (caret == selEnd_) return;
  selEnd_ = caret;
  if (!(selAnchor_ == selEnd_)) RepaintUnlessLocked();
}

void TQuillEditor::AnchorSelection(int column, int line) {
  const TTextPos p{column, line};
  if (selAnchor_ == p && selEnd_ == p) return;
  selAnchor_ = selEnd_ = p;
  RepaintUnlessLocked();
}

void TQuillEditor::SwitchPopup(bool hasSelection) {
  selPopupActive_ = hasSelection;
  if (OnPopupMenuSwitch) OnPopupMenuSwitch(hasSelection);
}

bool TQuillEditor::HasSelection() {
  const bool has = SelectionExists();
  SwitchPopup(has);
  return has;
}

void TQuillEditor::RepaintUnlessLocked() {
  if (updateLock_ < 1) Paint();
}

int TQuillEditor::SelStart() const {
  const auto [start, end] = NormalizedSelection();
  return std::max(0, PosToOffset(start.Line, start.Column));
}

void TQuillEditor::SetSelStart(int offset) {
  const TTextPos pos = CaretPointAt(offset);
  MoveCaretTo(pos.Line, pos.Column);
  CollapseSelection();
  Paint();
}

int TQuillEditor::SelLength() const {
  const auto [start, end] = NormalizedSelection();
  return std::max(0, PosToOffset(end.Line, end.Column) - PosToOffset(start.Line, start.Column));
}

void TQuillEditor::SetSelLength(int length) {
  const int s = SelStart();
  SetSelStart(s);
  const TTextPos pos = CaretPointAt(s + std::max(length, 0));
  MoveCaretTo(pos.Line, pos.Column);
  ExtendSelection();
  Paint();
}

namespace {
std::string_view Slice(std::string_view line, int fromColumn, int toColumn) {
  // Columns are 1-based; toColumn is exclusive. Columns past the end read as nothing.
  const auto len = static_cast<int>(line.size());
  const int a = std::clamp(fromColumn - 1, 0, len);
  const int b = std::clamp(toColumn - 1, a, len);
  return line.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
}
}  // namespace

std::string TQuillEditor::SelText() const {
  const auto [start, end] = NormalizedSelection();
  if (start == end) return {};
  if (start.Line == end.Line) return std::string(Slice(lines_.Line(start.Line), start.Column, end.Column));
  std::string out(Slice(lines_.Line(start.Line), start.Column, 1 << 30));
  if (lines_.LineFlag(start.Line) != 1) out += "\r\n";
  for (int l = start.Line + 1; l < end.Line; ++l) {
    out += lines_.Line(l);
    if (lines_.LineFlag(l) != 1) out += "\r\n";
  }
  out += Slice(lines_.Line(end.Line), 1, end.Column);
  return out;
}

std::string TQuillEditor::NormalizeLineEnds(std::string_view s) const {
  std::string out;
  ReserveLarge(out, s.size() + s.size() / 64 + 16);
  std::size_t run = 0;  // start of the bytes not copied yet
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char ch = s[i];
    if (ch != '\r' && ch != '\n' && ch != '\t') continue;
    if (ch == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      ++i;  // a CR LF pair stays as it is
      continue;
    }
    out.append(s.data() + run, i - run);
    run = i + 1;
    if (ch == '\t') {
      out.append(static_cast<std::size_t>(std::max(tabSize_, 0)), ' ');
    } else {
      // A lone LF or a lone CR becomes CR LF, so the inserted length equals what the text grows by,
      // which undo records and the caret rely on.
      out += "\r\n";
    }
  }
  out.append(s.data() + run, s.size() - run);
  return out;
}

bool TQuillEditor::NeedsNormalizing(std::string_view s) {
  // Only a tab, a lone CR or a lone LF is changed: one memchr-speed scan and one word scan.
  return s.find('\t') != std::string_view::npos || !OnlyCrLfBreaks(s);
}

int TQuillEditor::InsertTextAt(std::string_view text, int line, int column, std::string* owner) {
  const int count = lines_.Count();
  if (line > count) return line;
  if (line == count) lines_.Insert(count, "");
  const std::string_view current = lines_.Line(line);
  const auto cut = static_cast<std::size_t>(std::clamp(column - 1, 0, static_cast<int>(current.size())));
  const std::string head(current.substr(0, cut));
  const std::string tail(current.substr(cut));

  // Split the text at every CR (a CR LF pair is one break; a lone CR breaks too). The first piece joins
  // the head of the line; the others become lines of their own, the last one followed by the tail.
  const std::size_t firstBreak = text.find('\r');
  if (firstBreak == std::string_view::npos) {
    std::string joined = head;
    joined += text;
    joined += tail;
    lines_.SetLine(line, joined);
    return line;
  }
  const std::size_t rest = firstBreak + (firstBreak + 1 < text.size() && text[firstBreak + 1] == '\n' ? 2 : 1);
  // The inserted breaks are hard: the first part ends in one, and the part that carries the old tail
  // takes over the line's own record, so a soft-broken piece still continues into its next piece.
  const TStringParams original = lines_.Params(line);
  const bool hadRecord = lines_.HasRecord(line);
  lines_.SetLine(line, head + std::string(text.substr(0, firstBreak)));
  if (hadRecord) lines_.SetParams(line, TStringParams{0, original.StartState});
  // A long text's line start states are computed while it is laid out and the editor goes on (the
  // highlighter's worker thread; see FinishSetText).
  const auto startWorker = [this](LineStore::SharedRun run) { highlighter_->StartLineStateWorker(std::move(run)); };
  const int lastLine = line + lines_.InsertBrokenText(line + 1, text.substr(rest), owner, startWorker);
  if (!tail.empty()) lines_.ReplaceInLine(lastLine, std::string::npos, 0, tail);
  if (hadRecord && original.LineFlag) lines_.SetParams(lastLine, TStringParams{original.LineFlag, 0});
  return lastLine;
}

void TQuillEditor::SetSelText(std::string_view value) { ReplaceSelection(value, nullptr, nullptr); }

void TQuillEditor::SetSelMarkedText(std::string_view text, std::u32string_view marks) {
  ReplaceSelection(text, &marks, nullptr);
}

namespace {
bool AllStandForThemselves(std::string_view text, std::u32string_view marks) {
  std::size_t k = 0;
  for (char c : text) {
    if (IsMarkByte(c) && k < marks.size() && marks[k++] != DefaultMark(c)) return false;
  }
  return true;
}
}  // namespace

std::size_t TQuillEditor::MarkOrdinal(TTextPos pos) const {
  const std::string_view line = lines_.Line(pos.Line);
  const auto column = static_cast<std::size_t>(std::clamp(pos.Column - 1, 0, static_cast<int>(line.size())));
  return static_cast<std::size_t>(lines_.MarkBytesBefore(pos.Line)) + CountMarkBytes(line.substr(0, column));
}

void TQuillEditor::ListMarks() {
  if (!marks_.empty() || lines_.MarkBytesBefore(lines_.Count()) == 0) return;
  for (int i = 0; i < lines_.Count(); ++i)
    for (char c : lines_.Line(i))
      if (IsMarkByte(c)) marks_.push_back(DefaultMark(c));
}

std::u32string TQuillEditor::TakeMarkAt(TTextPos pos) {
  if (marks_.empty()) return {};
  const std::size_t k = MarkOrdinal(pos);
  if (k >= marks_.size()) return {};
  std::u32string taken(1, marks_[k]);
  marks_.erase(k, 1);
  return taken;
}

char32_t TQuillEditor::MarkAt(int line, int column) const {
  const std::string_view text = lines_.Line(line);
  if (column < 1 || column > static_cast<int>(text.size())) return 0;
  const char c = text[static_cast<std::size_t>(column - 1)];
  if (!IsMarkByte(c)) return 0;
  const std::size_t k = marks_.empty() ? marks_.size() : MarkOrdinal(TTextPos{column, line});
  return k < marks_.size() ? marks_[k] : DefaultMark(c);
}

std::u32string TQuillEditor::SelMarks() const {
  if (marks_.empty()) return {};
  const auto [start, end] = NormalizedSelection();
  const std::size_t from = std::min(MarkOrdinal(start), marks_.size());
  return marks_.substr(from, std::min(MarkOrdinal(end), marks_.size()) - from);
}

void TQuillEditor::ReplaceSelection(std::string_view value, const std::u32string_view* givenMarks,
                                    std::string* owner) {
  if (readonly_) return;
  const int p = SelStart();
  // A text already in the editor's form (a whole document, as a rule) is taken as it is: copying
  // tens of megabytes only to find nothing to change costs more than the rest of setting it. The
  // string the text lies in, when the caller gives it away, is kept by the line store as it is.
  std::string normalized;
  std::string_view s = value;
  std::string* keep = owner;
  if (NeedsNormalizing(value)) {
    s = normalized = NormalizeLineEnds(value);
    keep = &normalized;
  }
  auto [start, end] = NormalizedSelection();
  TTextPos at = OffsetToPos(p);
  // The marks of the replaced text leave the list and those of the new text take their place. While
  // the list is empty and no characters come with the text, every reserved byte old or new stands for
  // itself and nothing of this runs (not even a count of the new text).
  const bool selected = !(start == end);
  const bool withMarks = !marks_.empty() || (givenMarks != nullptr && !givenMarks->empty());
  const std::size_t newCount = withMarks ? CountMarkBytes(s) : 0;
  std::size_t from = 0, to = 0;
  std::u32string oldMarks, newMarks;
  std::string oldText;
  bool listed = !marks_.empty();  // marks_ is to be updated
  if (selected && (!undoing_ || (newCount > 0 && givenMarks == nullptr))) oldText = SelText();
  if (withMarks) {
    from = MarkOrdinal(selected ? start : at);
    to = selected ? MarkOrdinal(end) : from;
    if (!marks_.empty()) oldMarks = marks_.substr(std::min(from, marks_.size()), to - from);
    if (newCount > 0)
      newMarks = givenMarks != nullptr ? FitMarks(s, *givenMarks) : InheritMarks(oldText, oldMarks, s);
    if (!listed && !AllStandForThemselves(s, newMarks)) {
      ListMarks();
      listed = true;
    }
  }
  // What is needed of the new text once the line store may have taken it over.
  const std::size_t size = s.size();
  // A whole new text whose reserved bytes all stand for themselves needs no list.
  const bool dropList = listed && from == 0 && to >= marks_.size() && AllStandForThemselves(s, newMarks);
  int last = 0;
  if (!selected) {
    highlighter_->MarkStaleFrom(at.Line - 1);
    if (!undoing_) undo_.PushInsert(p, static_cast<int>(size));
    last = InsertTextAt(s, at.Line, at.Column, keep);
  } else {
    // The edit happens at the selection's own start point, which may be the end of a soft-broken
    // piece while OffsetToPos(p) names the start of the next piece: both are the same offset.
    at = start;
    highlighter_->MarkStaleFrom(at.Line - 1);
    if (!undoing_) undo_.PushReplace(p, static_cast<int>(size), oldText, oldMarks);
    const int sl = start.Line, el = end.Line;
    if (sl == el) {
      const std::string_view line = lines_.Line(sl);
      std::string kept(Slice(line, 1, start.Column));
      kept += Slice(line, end.Column, 1 << 30);
      lines_.SetLine(sl, kept);
    } else {
      // What is left of the end line keeps its own break: after the join below it still continues
      // into its next piece when it ended in a soft break.
      lines_.SetLine(el, Slice(lines_.Line(el), end.Column, 1 << 30));
      lines_.SetLine(sl, Slice(lines_.Line(sl), 1, start.Column));
      if (sl >= 1 && lines_.HasRecord(sl - 1) && lines_.HasRecord(sl) && lines_.LineFlag(sl - 1) == 0) {
        lines_.SetLineFlag(sl, 0);
      }
      if (lines_.LineFlag(sl) == 1 && sl == lines_.Count() - 1) lines_.SetLineFlag(sl, 0);
      lines_.DeleteRange(sl + 1, el - 1);
      if (sl + 1 < lines_.Count()) {
        const std::uint8_t f = lines_.LineFlag(sl + 1);
        lines_.SetLine(sl, std::string(lines_.Line(sl)) + std::string(lines_.Line(sl + 1)));
        lines_.Delete(sl + 1);
        lines_.SetLineFlag(sl, f);
      }
    }
    last = InsertTextAt(s, at.Line, at.Column, keep);
  }
  if (listed) {
    marks_.replace(std::min(from, marks_.size()), to - from, newMarks);
    if (dropList) marks_.clear();
  }
  EnsureOneLine();
  ReflowAfterInsert(at.Line, last);
  UpdateScrollBars();
  const TTextPos caret = OffsetToPos(p + static_cast<int>(size));
  MoveCaretTo(caret.Line, caret.Column);
  FinishCaretMove();
  Paint();
  CollapseSelection();
  SetModified(true);
}

void TQuillEditor::EnsureOneLine() {
  if (lines_.Count() == 0) lines_.Insert(0, "");
}

std::string TQuillEditor::Text() const { return lines_.Text(); }

void TQuillEditor::SetText(std::string_view value) {
  const int p = SelStart();
  BeginUpdate();
  SelectAll();
  SetSelText(value);
  FinishSetText(p, value.size());
}

void TQuillEditor::SetMarkedText(std::string_view text, std::u32string_view marks) {
  const int p = SelStart();
  BeginUpdate();
  SelectAll();
  SetSelMarkedText(text, marks);
  FinishSetText(p, text.size());
}

void TQuillEditor::LoadMarkedText(std::string text, std::u32string_view marks) {
  const int p = SelStart();
  const std::size_t size = text.size();
  BeginUpdate();
  SelectAll();
  // The history is emptied at the end, so the replaced document is not copied into a record first.
  const bool wasUndoing = undoing_;
  undoing_ = true;
  ReplaceSelection(text, &marks, &text);
  undoing_ = wasUndoing;
  ClearUndo();
  FinishSetText(p, size);
}

void TQuillEditor::FinishSetText(int p, std::size_t size) {
  if (wordWrapEffective_) {
    UnwrapAll();
    WrapAll();
  }
  // Everything else runs on the UI thread; the line start states of a long new text are computed on a
  // thread of the highlighter's (started as soon as the text was being laid out, in InsertTextAt, or
  // here after a re-wrap) while this one finishes and paints. That thread reads only the text as it was
  // loaded, which nothing changes, and fills an array of its own, which this thread takes over: nothing
  // observable changes but how soon the states are known.
  highlighter_->StartLineStateWorker();
  UpdateScrollBars();
  SetSelStart(p < static_cast<int>(size) ? p : 0);
  SetSelLength(0);
  EndUpdate();
  Paint();
}

void TQuillEditor::SelectAll() {
  DocumentEnd();
  selAnchor_ = OffsetToPos(0);
  selEnd_ = OffsetToPos(static_cast<int>(lines_.TextLength()));
  RepaintUnlessLocked();
}

void TQuillEditor::DocumentEnd() {
  const int count = lines_.Count();
  // The screen row of the last line: five empty rows stay visible below it on a long document.
  int row = count - 1;
  if (visibleRows_ < 6) {
    // Too few rows to keep five empty ones below the text (the view would start past its end): the
    // lowest row a caret move uses.
    row = std::min(std::max(visibleRows_ - 2, 0), count - 1);
  } else if (count - visibleRows_ + 5 >= 1) {
    row = visibleRows_ - 6;
  }
  view_.ScrollRows(count - 1 - row - view_.TopLine());
  view_.ScrollColumns(-view_.LeftCol());
  view_.Place(count - 1, lines_.Length(count - 1) + 1);
  Paint();
}

// ---- Clipboard and wrapping ---------------------------------------------------------------------------

void TQuillEditor::CopyToClipboard() {
  const std::string s = SelText();
  if (!s.empty() && host_) host_->SetClipboardMarkedText(s, SelMarks());
}

void TQuillEditor::CutToClipboard() {
  if (host_) host_->SetClipboardMarkedText(SelText(), SelMarks());
  SetSelText("");
}

void TQuillEditor::PasteFromClipboard() {
  std::u32string marks;
  std::string text = host_ ? host_->ClipboardMarkedText(marks) : std::string();
  PasteText(std::move(text), std::move(marks));
}

void TQuillEditor::ReplaceForeignCharacters() {
  // No marks listed: every reserved byte stands for itself, and the document is not copied.
  if (keepForeign_ || marks_.empty()) return;
  std::string text = Text();
  if (AllStandForThemselves(text, marks_)) return;
  const int p = SelStart();
  const std::size_t size = text.size();
  BeginUpdate();
  SelectAll();
  PasteText(std::move(text), marks_);
  FinishSetText(p, size);
}

void TQuillEditor::PasteText(std::string text, std::u32string marks) {
  marks = FitMarks(text, marks);
  if (!keepForeign_ && !AllStandForThemselves(text, marks)) {
    std::size_t k = 0;
    for (char& c : text) {
      if (IsMarkByte(c) && marks[k++] != DefaultMark(c)) c = '?';
    }
    marks = FitMarks(text, {});
    if (OnForeignReplaced) OnForeignReplaced();
  }
  SetSelMarkedText(text, marks);
}

void TQuillEditor::TypeForeignCharacter(char32_t cp) {
  if (readonly_) return;
  const char byte = MarkByteFor(cp);
  if (!keepForeign_ && cp != DefaultMark(byte)) {
    KeyPress('?');
    if (OnForeignReplaced) OnForeignReplaced();
    return;
  }
  BeginUpdate();
  const TTextPos at = OverwrittenPoint();
  if (!HasSelection() && overWriteMode_ && at.Column <= lines_.Length(at.Line)) {
    // Overwriting: the character under the caret goes, as with any other typed character.
    selAnchor_ = at;
    selEnd_ = TTextPos{at.Column + 1, at.Line};
  }
  SetSelMarkedText(std::string_view(&byte, 1), std::u32string_view(&cp, 1));
  view_.DesiredCol = view_.Column();
  EndUpdate();
  Paint();
}

void TQuillEditor::WrapSelection(const std::string& before, const std::string& after) {
  if (readonly_) return;
  wrapBefore_ = before;
  wrapAfter_ = after;
  BeginUpdate();
  const int s = SelStart();
  const int n = SelLength();
  const int b = static_cast<int>(NormalizeLineEnds(before).size());
  SetSelLength(0);
  SetSelText(before);
  SetSelStart(b + n + s);
  SetSelText(after);
  SetSelStart(b + s);
  SetSelLength(n);
  EndUpdate();
  Paint();
}

void TQuillEditor::RepeatWrapSelection() {
  if (wrapBefore_.empty() && wrapAfter_.empty()) return;
  const std::string before = wrapBefore_, after = wrapAfter_;
  WrapSelection(before, after);
}

// ---- Undo, modification, bookmarks ----------------------------------------------------------------------

void TQuillEditor::Undo() {
  if (!undo_.CanUndo()) return;
  undoing_ = true;
  const TUndoRecord r = undo_.Pop();
  BeginUpdate();
  SetSelStart(r.Position);
  SetSelLength(r.EditKind == TUndoRecord::ekDelete ? 0 : r.Param);
  SetSelMarkedText(r.SavedText, r.SavedMarks);
  EndUpdate();
  Paint();
  undoing_ = false;
  SetModified(true);
}

void TQuillEditor::ClearUndo() {
  if (undo_.CanUndo()) undo_.Clear();
}

void TQuillEditor::SetModified(bool v) {
  if (OnChange) OnChange();
  if (v != modified_) {
    modified_ = v;
    if (OnModified) OnModified(v);
  }
}

int TQuillEditor::GetBookmark(int n) const {
  return n >= 1 && n <= 9 ? bookmarks_[static_cast<std::size_t>(n - 1)] : -1;
}

void TQuillEditor::SetBookmark(int n) {
  if (n < 1 || n > 9) return;
  bookmarks_[static_cast<std::size_t>(n - 1)] = CurrentLine();
  Paint();
}

void TQuillEditor::ClearBookmark(int n) {
  if (n < 1 || n > 9) return;
  bookmarks_[static_cast<std::size_t>(n - 1)] = -1;
  Paint();
}

void TQuillEditor::GotoBookmark(int n) {
  const int line = GetBookmark(n);
  if (line < 0 || line >= lines_.Count()) return;
  MoveCaretTo(line, 1);
  // The selection goes with the caret: what is typed next lands at the bookmark.
  CollapseSelection();
  RepaintUnlessLocked();
  if (host_) host_->ShowCaret();
}

// ---- Highlighter choice ------------------------------------------------------------------------------------

void TQuillEditor::CreateHighlighterForStyle() {
  highlighter_ = CreateHighlighter(plainText_, colorStyle_);
  highlighter_->Attach(&lines_);
}

void TQuillEditor::SetColorStyle(TColorStyle style) {
  plainText_ = false;
  colorStyle_ = style;
  CreateHighlighterForStyle();
  highlighter_->InvalidateAll();
  highlighter_->StartLineStateWorker();
  Paint();
  if (OnColorSetChange) OnColorSetChange(style);
}

void TQuillEditor::SetPlainText(bool v) {
  if (v != plainText_) {
    plainText_ = v;
    CreateHighlighterForStyle();
    // States stored by the previous class mean nothing to the new one.
    highlighter_->InvalidateAll();
    highlighter_->StartLineStateWorker();
    Paint();
  }
  if (v && OnColorSetChange) OnColorSetChange(TColorStyle{csNone});
}
