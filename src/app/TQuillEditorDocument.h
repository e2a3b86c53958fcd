#pragma once
#include "app/DocumentEditor.h"
#include "editor/TQuillEditor.h"

// The document commands' view of the real editor control.
class TQuillEditorDocument : public DocumentEditor {
public:
  explicit TQuillEditorDocument(TQuillEditor& editor) : editor_(editor) {}

  std::string Text() const override { return editor_.Text(); }
  void SetText(std::string_view text) override { editor_.SetText(text); }
  std::u32string Marks() const override { return editor_.Marks(); }
  void SetMarkedText(std::string_view text, std::u32string_view marks) override { editor_.SetMarkedText(text, marks); }
  void LoadMarkedText(std::string text, std::u32string marks) override {
    editor_.LoadMarkedText(std::move(text), marks);
  }
  void SetKeepForeign(bool keep) override { editor_.SetKeepForeign(keep); }
  void ReplaceForeignCharacters() override { editor_.ReplaceForeignCharacters(); }
  int SelStart() const override { return editor_.SelStart(); }
  void SetSelStart(int offset) override { editor_.SetSelStart(offset); }
  int SelLength() const override { return editor_.SelLength(); }
  std::string SelText() const override { return editor_.SelText(); }
  void SetSelText(std::string_view text) override { editor_.SetSelText(text); }
  bool Modified() const override { return editor_.Modified(); }
  void SetModified(bool modified) override { editor_.SetModified(modified); }
  void ClearUndo() override { editor_.ClearUndo(); }
  void ClearBookmarks() override {
    for (int n = 1; n <= 9; ++n) editor_.ClearBookmark(n);
  }
  TColorStyle ColorStyle() const override { return editor_.ColorStyle(); }
  void SetColorStyle(TColorStyle style) override { editor_.SetColorStyle(style); }
  bool PlainText() const override { return editor_.PlainText(); }
  void SetPlainText(bool plain) override { editor_.SetPlainText(plain); }
  const std::string& DocumentFileName() const override { return editor_.DocumentFileName(); }
  void SetDocumentFileName(const std::string& name) override { editor_.SetDocumentFileName(name); }

private:
  TQuillEditor& editor_;
};
