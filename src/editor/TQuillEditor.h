#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/Keys.h"
#include "editor/LineStore.h"
#include "editor/TEditorView.h"
#include "editor/TRowDiffCanvas.h"
#include "editor/TUndoClass.h"
#include "platform/Color.h"

class EditorHost;
class THighLighter;

struct TFont {
  std::string Name = "FixedSys";
  int Size = 10;
  bool operator==(const TFont&) const = default;
};

// The program's own text control: one document as stored lines, with offsets, selection, undo,
// highlighting, word wrap, painting through the host's canvas, and keyboard and mouse handling.
//
// Text is Windows-1250 bytes. Every offset counts a hard line break as two characters (CR LF) and a
// soft word-wrap break as none. Properties follow one pattern: `Foo()` reads, `SetFoo(v)` writes.
class TQuillEditor {
public:
  static constexpr int GutterWidth = 40;

  explicit TQuillEditor(EditorHost* host = nullptr);
  ~TQuillEditor();
  TQuillEditor(const TQuillEditor&) = delete;
  TQuillEditor& operator=(const TQuillEditor&) = delete;

  // ---- Text and selection -------------------------------------------------------------------------
  LineStore& Lines() { return lines_; }
  const LineStore& Lines() const { return lines_; }
  std::string Text() const;
  void SetText(std::string_view value);
  int SelStart() const;
  void SetSelStart(int offset);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  // Whether anything is selected; also tells the host which popup menu applies.
  bool HasSelection();
  // Two points at one offset (the end of a wrapped piece and the start of the next) select nothing.
  bool SelectionExists() const {
    return !(selAnchor_ == selEnd_) &&
           PosToOffset(selAnchor_.Line, selAnchor_.Column) != PosToOffset(selEnd_.Line, selEnd_.Column);
  }
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void WrapSelection(const std::string& before, const std::string& after);
  void RepeatWrapSelection();
  void BeginUpdate() { ++updateLock_; }
  void EndUpdate() {
    if (updateLock_ > 0) --updateLock_;
  }
  void RepaintUnlessLocked();

  // ---- Characters outside Windows-1250 (editor/ForeignMarks.h) ----------------------------------------
  // One code point per reserved byte of Text(), in order; empty while every reserved byte stands for
  // itself (the usual case, which costs nothing).
  const std::u32string& Marks() const { return marks_; }
  // The code points of the reserved bytes of SelText(); empty when they stand for themselves.
  std::u32string SelMarks() const;
  // The character shown at a position: the mark's code point for a reserved byte, else 0.
  char32_t MarkAt(int line, int column) const;
  // SetText and SetSelText with the characters of the text's reserved bytes (missing ones stand for
  // themselves). The plain SetText and SetSelText keep the marks of the text they replace in order.
  void SetMarkedText(std::string_view text, std::u32string_view marks);
  // Opening a document: SetMarkedText that takes the text over instead of copying it, and empties the
  // undo history instead of recording the text it replaces.
  void LoadMarkedText(std::string text, std::u32string_view marks);
  void SetSelMarkedText(std::string_view text, std::u32string_view marks);
  // Whether characters outside Windows-1250 that are typed or pasted become marks (a UTF-8 document)
  // or "?" (a document of an 8-bit code page, which could not save them).
  bool KeepForeign() const { return keepForeign_; }
  void SetKeepForeign(bool v) { keepForeign_ = v; }
  // A typed or composed character that Windows-1250 cannot hold.
  void TypeForeignCharacter(char32_t cp);
  // Text brought in from outside (the clipboard, the primary selection) in place of the selection.
  void PasteText(std::string text, std::u32string marks);
  // After a switch to an 8-bit code page: the characters it cannot hold become "?" at once (one undo
  // step, with the same note as a paste), so the document shows what the next save writes.
  void ReplaceForeignCharacters();

  TTextPos OffsetToPos(int offset) const;
  int PosToOffset(int line, int column) const;
  int LogicalLine(int line) const;
  int LogicalColumn(int line, int column) const;
  int CurrentLine() const { return view_.Line(); }

  // Selection points and their primitives.
  TTextPos SelAnchor() const { return selAnchor_; }
  TTextPos SelEnd() const { return selEnd_; }
  // The selection with the earlier point first.
  std::pair<TTextPos, TTextPos> NormalizedSelection() const;
  void CollapseSelection();
  void ExtendSelection();
  void AnchorSelection(int column, int line);
  void SetLineFlag(int line, std::uint8_t flag) { lines_.SetLineFlag(line, flag); }

  // ---- Undo, modification, bookmarks ----------------------------------------------------------------
  void Undo();
  void ClearUndo();
  const TUndoClass& UndoHistory() const { return undo_; }
  bool Modified() const { return modified_; }
  void SetModifiedFlag(bool v) { modified_ = v; }  // the host's direct write after loading
  void SetModified(bool v);
  int GetBookmark(int n) const;
  void SetBookmark(int n);
  void ClearBookmark(int n);
  void GotoBookmark(int n);

  // ---- Highlighting ---------------------------------------------------------------------------------
  TColorStyle ColorStyle() const { return colorStyle_; }
  void SetColorStyle(TColorStyle style);
  bool PlainText() const { return plainText_; }
  void SetPlainText(bool v);
  THighLighter& Highlighter() { return *highlighter_; }

  // ---- View, caret and scrolling (painting, metrics, scroll bars) ----------------------------------
  EditorHost* Host() const { return host_; }
  void SetHost(EditorHost* host) { host_ = host; }
  int TopLine() const { return view_.TopLine(); }
  int LeftCol() const { return view_.LeftCol(); }
  int CaretRow() const { return view_.CaretRow(); }
  int CaretCol() const { return view_.CaretCol(); }
  int DesiredCol() const { return view_.DesiredCol; }
  int UpdateLock() const { return updateLock_; }
  int LineHeight() const { return lineHeight_; }
  int AverageCharWidth() const { return averageCharWidth_; }
  int VisibleColumns() const { return visibleColumns_; }
  int VisibleRows() const { return visibleRows_; }
  int CaretHeight() const { return caretHeight_; }

  void Paint();
  void RecalcMetrics();
  void RecreateCaret();
  void UpdateCaret();
  void UpdateScrollBars();
  void MoveCaretTo(int line, int column);
  bool EnsureCaretVisible();
  bool CaretPastRight(int n);
  void FinishCaretMove();

  // Window events the host forwards.
  void HandleCreated();
  void HandleResize();
  void FocusIn();
  void FocusOut();
  enum class TScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };
  // Vertical requests use LineUp/LineDown for up/down; horizontal ones use them for left/right, and
  // Top for the left end.
  void VScroll(TScrollRequest request, int pos);
  void HScroll(TScrollRequest request, int pos);

  // Keyboard and mouse.
  void KeyDown(int& key, TShiftState shift);
  void KeyPress(char ch);
  // A character that arrives without a key press of its own (composed by an input method): typed as
  // KeyPress types it, never skipped for an earlier key press that typed nothing (Ctrl+Delete).
  void ComposedCharacter(char ch);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DoubleClick();
  void MouseWheel(int delta, TShiftState shift);
  void TimerTick();
  // Work for the host's idle time, about budgetBytes of text a call: the highlighter's line start
  // states ahead of the view. Returns whether more remains.
  bool IdleWork(std::size_t budgetBytes);
  // The host's surface was replaced or drawn over: the next paint draws all of it.
  void ForgetDrawing() { rowDiff_.Forget(); }

  // ---- Word wrap --------------------------------------------------------------------------------------
  bool WordWrap() const { return wordWrapRequested_; }
  void SetWordWrap(bool v);
  bool WordWrapInEffect() const { return wordWrapEffective_; }
  bool TooWide(std::string_view s);
  void WrapAll();
  void UnwrapAll();
  // Re-cuts the pieces of a wrapped document line from stored line `line` on, after an edit that changed
  // the text of stored lines up to `changedThrough` only; returns how many pieces it made beyond the first
  // (plus one when the last still ends in a soft break).
  int RewrapLine(int line, int changedThrough);
  void CheckRewrap();

  // ---- Published properties ---------------------------------------------------------------------------
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void FontChanged();  // a change inside the font object
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s) { scrollBars_ = s; }
  bool OverWriteMode() const { return overWriteMode_; }
  void SetOverWriteMode(bool v);
  bool TextHOME() const { return textHome_; }
  void SetTextHOME(bool v) { textHome_ = v; }
  bool TextEnter() const { return textEnter_; }
  void SetTextEnter(bool v) { textEnter_ = v; }
  TAutoFollow AutoFollow() const { return autoFollow_; }
  void SetAutoFollow(TAutoFollow v) { autoFollow_ = v; }
  TAutoClose AutoClose() const { return autoClose_; }
  void SetAutoClose(TAutoClose v) { autoClose_ = v; }
  bool UpperTag() const { return upperTag_; }
  void SetUpperTag(bool v) { upperTag_ = v; }
  bool LineNumbering() const { return lineNumbering_; }
  void SetLineNumbering(bool v) {
    lineNumbering_ = v;
    Paint();
  }
  bool WMLMode() const { return wmlMode_; }
  void SetWMLMode(bool v) { wmlMode_ = v; }
  bool Readonly() const { return readonly_; }
  void SetReadonly(bool v) { readonly_ = v; }
  int TabSize() const { return tabSize_; }
  void SetTabSize(int v) { tabSize_ = v; }
  int CharacterBar() const { return characterBar_; }
  void SetCharacterBar(int v) { characterBar_ = v; }
  int Scroller1Size() const { return scroller1Size_; }
  void SetScroller1Size(int v) { scroller1Size_ = v; }
  int Scroller2Size() const { return scroller2Size_; }
  void SetScroller2Size(int v) { scroller2Size_ = v; }
  const std::string& DocumentFileName() const { return documentFileName_; }
  void SetDocumentFileName(const std::string& v) { documentFileName_ = v; }
  const std::string& DocumentName() const { return documentFileName_; }
  void SetDocumentName(const std::string& v) { documentFileName_ = v; }
  const std::string& TempDocName() const { return tempDocName_; }
  void SetTempDocName(const std::string& v) { tempDocName_ = v; }
  double ThisFileTime() const { return thisFileTime_; }
  void SetThisFileTime(double v) { thisFileTime_ = v; }
  bool UseWordDic() const { return useWordDic_; }
  void SetUseWordDic(bool v) { useWordDic_ = v; }
  int Language() const { return language_; }
  void SetLanguage(int v) { language_ = v; }
  const std::string& QuillpadDicPath() const { return dicPath_; }
  void SetQuillpadDicPath(const std::string& v) { dicPath_ = v; }
  bool CheckSpelling() const { return checkSpelling_; }
  void SetCheckSpelling(bool v) { checkSpelling_ = v; }

  // The text-area background (the control's own colour) and the colour pairs of the token classes.
  // Setters only store; painting reads them.
  struct Colors {
    TColor Color = quill_colors::SysWindow;  // the desktop theme's window colour until settings apply
    TColor TextColor = quill_colors::Black, BackgroundTextColor = quill_colors::White;
    TColor TagColor = quill_colors::Blue, BackgroundTagColor = quill_colors::White;
    TColor LongParamColor = quill_colors::Red, BackgroundlongParamColor = quill_colors::White;
    TColor ShortParamColor = quill_colors::Maroon, BackgroundShortParamColor = quill_colors::White;
    TColor KeywordColor = quill_colors::Green, BackgroundKeywordColor = quill_colors::White;
    TColor CommentColor = quill_colors::Grey, BackgroundCommentColor = quill_colors::White;
    TColor OperatorColor = quill_colors::Black, BackgroundOperatorColor = quill_colors::White;
    TColor PHPVariableColor = quill_colors::Navy, BackgroundPHPVariableColor = quill_colors::White;
    TColor PHPParameterColor = quill_colors::Grey, BackgroundPHPParameterColor = quill_colors::White;
    TColor HighLightColor = 0, BackgroundHighLightColorr = 0;
  };
  Colors& ColorSet() { return colors_; }
  const Colors& ColorSet() const { return colors_; }

  // ---- Events (fired synchronously when assigned) -----------------------------------------------------
  std::function<void(int line, int character)> OnUpdateCaret;
  std::function<void()> OnChange;
  std::function<void(bool modified)> OnModified;
  std::function<void(TColorStyle style)> OnColorSetChange;
  std::function<void(bool state)> OnWordWrapChange;
  // Characters outside Windows-1250 were typed or pasted into a document that cannot hold them and
  // became "?".
  std::function<void()> OnForeignReplaced;
  std::function<void()> OnSetFocused;
  std::function<void(int character)> OnCharacterBarMove;
  // Key events for the host; the handler may change the key or clear it to 0.
  std::function<void(int& key, TShiftState shift)> OnKeyDown;
  std::function<void(char& key)> OnKeyPress;
  // Told which popup menu applies whenever a selection test or a paint runs: true = the selection menu.
  std::function<void(bool selectionMenu)> OnPopupMenuSwitch;
  bool SelectionPopupActive() const { return selPopupActive_; }

private:
  // `owner`, when given, is the string the text lies in, which the line store may take over.
  int InsertTextAt(std::string_view text, int line, int column, std::string* owner = nullptr);
  void ReplaceSelection(std::string_view value, const std::u32string_view* marks, std::string* owner);
  // What SetText does after the new text is in: caret back near offset p, the view.
  void FinishSetText(int p, std::size_t size);
  // How many reserved bytes lie before a position.
  std::size_t MarkOrdinal(TTextPos pos) const;
  // Lists every reserved byte of the text in marks_ (each standing for itself), before the first mark
  // that does not.
  void ListMarks();
  // The mark of the reserved byte at a position is deleted: its code point, for the undo record.
  std::u32string TakeMarkAt(TTextPos pos);
  std::string NormalizeLineEnds(std::string_view s) const;
  // Whether NormalizeLineEnds would change the text.
  static bool NeedsNormalizing(std::string_view s);
  // The offset of a selection point, read as the nearest position on an existing line.
  int ClampedOffset(TTextPos p) const;
  // The caret's point for an offset a host passes: inside the text, and an offset between the CR and the
  // LF of a hard break is the end of the line before it (a caret never stands inside a break).
  TTextPos CaretPointAt(int offset) const;
  // Both selection points from offsets, the caret on the end point.
  void PlaceSelection(int anchor, int end);
  void CreateHighlighterForStyle();
  void ReflowAfterInsert(int line, int last);
  // Cuts a too-wide text into pieces that fit; `cap` limits where the search for each break starts.
  std::vector<std::string> CutIntoPieces(std::string_view s, int cap);
  // The length of the first piece cut from `rest` (the text from a piece's start to the end of its
  // document line, or at least its first visibleColumns_ + 51 bytes), or 0 when all of `rest` fits.
  int FirstPieceLength(std::string_view rest, int cap);
  // Puts the pieces of a cut line in place of it at `at`: soft breaks between them, lastFlag after the last.
  void InsertPieces(int at, const std::vector<std::string>& pieces, std::uint8_t lastFlag);
  void SetWrapScrollRange();
  int TextWidth(std::string_view s) const;
  int ClientRoom() const;  // width of the text area: the client width less the gutter
  bool HasWindow() const;
  void PaintText();
  void PaintGutter();
  // The canvas a paint draws on: the host's, or the collector that passes on only what changed.
  Canvas& PaintCanvas();
  void PaintSegment(int key) {
    if (diffPaint_) rowDiff_.Segment(key);
  }
  void EnsureOneLine();
  void SwitchPopup(bool hasSelection);
  void DocumentStart();  // the Ctrl+Home move
  void DocumentEnd();    // the Ctrl+End move
  // Caret moves of the keyboard.
  void MoveLeft();
  void MoveRight();
  void MoveUp();
  void MoveDown();
  void MoveToColumnAfterVerticalMove();
  void MoveHome();
  void MoveEnd();
  void MovePageUp();
  void MovePageDown();
  void WordLeft();
  void WordRight();
  bool DoMove(int key);
  // Ctrl with Home, End, Left, Right: document start and end, word left and right.
  void DocumentMove(int key);
  void DeleteWordKey(bool forward);  // Ctrl+Delete and Ctrl+Backspace
  // Editing keys. They edit at the selection's start (after a selection is removed, the caret).
  TTextPos EditPoint() const { return NormalizedSelection().first; }
  // Where a character typed in overwrite mode goes: the character after the edit point, which starts
  // the next piece when the point ends a wrapped one (past the line's end when there is none).
  TTextPos OverwrittenPoint() const;
  void TypeChar(char c);
  void EnterKey();
  void TabKey();
  void BackspaceKey();
  void DeleteKey();
  void DeleteWord(bool forward);
  // Stores a line changed by typing and re-flows it when it no longer fits.
  void StoreEditedLine(int line, const std::string& text);
  // The end of every editing key: the caret to the offset, the view, the modified flag.
  void EndEdit(int caretOffset);
  // Removes the character or hard line break that starts at a document offset, records it for undo and
  // re-flows; returns how many offsets it removed.
  int RemoveAt(int offset);
  char CharAtOffset(int offset) const;
  // The text position under a point of the window; false below the last line. Changes nothing.
  bool PointAt(int x, int y, TTextPos& pos) const;
  // Scrolls left so that a line ending left of the view shows its end in the first column.
  void ShowLineEnd(int line);
  void ScrollLeftToFit(int column);
  // The smallest LeftCol, from the current one on, at which the caret at `column` is not past the
  // right edge (at most column - 1).
  int FittingLeftCol(int column);

  EditorHost* host_ = nullptr;
  LineStore lines_;
  TUndoClass undo_;
  std::unique_ptr<THighLighter> highlighter_;
  bool undoing_ = false;

  TEditorView view_;
  int updateLock_ = 0;
  TTextPos selAnchor_{}, selEnd_{};
  std::array<int, 9> bookmarks_{-1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::string wrapBefore_, wrapAfter_;

  int lineHeight_ = 0, averageCharWidth_ = 0, visibleColumns_ = 0, visibleRows_ = 0, caretHeight_ = 0;

  bool wordWrapRequested_ = false, wordWrapEffective_ = false;
  // Layout at the last CheckRewrap.
  int rewrapWidth_ = 0, rewrapFontSize_ = 0, rewrapColumns_ = 0;
  std::string rewrapFontName_;

  TFont font_;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  bool overWriteMode_ = false, textHome_ = true, textEnter_ = true;
  TAutoFollow autoFollow_{afLI, afTD, afOPTION};
  TAutoClose autoClose_{acBracket, acDoubleQuote, acSingleQuote, acTriangleBracket, acRectangleBracket,
                        acCBracket};
  bool upperTag_ = false, lineNumbering_ = true, wmlMode_ = false, readonly_ = false, modified_ = false;
  bool plainText_ = false;
  TColorStyle colorStyle_{csHTML};
  int tabSize_ = 5, characterBar_ = 80, scroller1Size_ = 5, scroller2Size_ = 2;
  std::string documentFileName_, tempDocName_, dicPath_;
  double thisFileTime_ = 0;
  bool useWordDic_ = false, checkSpelling_ = false;
  int language_ = 0;
  Colors colors_;
  bool selPopupActive_ = false;
  bool skipNextChar_ = false;
  bool mouseSelecting_ = false;
  std::u32string marks_;
  bool keepForeign_ = true;
  TRowDiffCanvas rowDiff_;
  bool diffPaint_ = false;  // a paint is being collected in rowDiff_
};
