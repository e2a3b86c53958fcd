#pragma once
#include <string>
#include <string_view>

#include "editor/EditorTypes.h"

// What the document commands need of the editor control: its text and selection, its changed state,
// its highlighter choice and the document's name. TQuillEditorDocument serves it from the real editor;
// tests use a plain model.
class DocumentEditor {
public:
  virtual ~DocumentEditor() = default;
  virtual std::string Text() const = 0;
  // Normalises line ends and TABs, records an undo step and marks the document modified.
  virtual void SetText(std::string_view text) = 0;
  // Characters outside Windows-1250 (editor/ForeignMarks.h): one code point per reserved byte of Text(),
  // empty while they all stand for themselves; SetText with them; and whether typed and pasted ones
  // become marks (a UTF-8 document) or "?".
  virtual std::u32string Marks() const { return {}; }
  virtual void SetMarkedText(std::string_view text, std::u32string_view /*marks*/) { SetText(text); }
  // Opening a document: SetMarkedText with a text the editor may keep instead of copying, and an empty
  // undo history afterwards (the replaced document is not recorded).
  virtual void LoadMarkedText(std::string text, std::u32string marks) {
    SetMarkedText(text, marks);
    ClearUndo();
  }
  virtual void SetKeepForeign(bool /*keep*/) {}
  // Characters the document's code page cannot hold become "?" (see TQuillEditor).
  virtual void ReplaceForeignCharacters() {}
  virtual int SelStart() const = 0;
  virtual void SetSelStart(int offset) = 0;
  virtual int SelLength() const = 0;
  virtual std::string SelText() const = 0;
  virtual void SetSelText(std::string_view text) = 0;
  virtual bool Modified() const = 0;
  // Tells the window through the editor's OnModified event, which clears or sets its modified mark.
  virtual void SetModified(bool modified) = 0;
  virtual void ClearUndo() = 0;
  // Another document's bookmarks would sit on unrelated lines of this one.
  virtual void ClearBookmarks() = 0;
  virtual TColorStyle ColorStyle() const = 0;
  virtual void SetColorStyle(TColorStyle style) = 0;
  virtual bool PlainText() const = 0;
  virtual void SetPlainText(bool plain) = 0;
  virtual const std::string& DocumentFileName() const = 0;
  virtual void SetDocumentFileName(const std::string& name) = 0;
};
