#pragma once
#include "editor/TQuillEditor.h"
#include "search/SearchTarget.h"

// The search commands' view of the real editor control.
class EditorSearchTarget : public SearchTarget {
public:
  explicit EditorSearchTarget(TQuillEditor& editor) : editor_(editor) {}

  std::string Text() const override { return editor_.Text(); }
  int SelStart() const override { return editor_.SelStart(); }
  int SelLength() const override { return editor_.SelLength(); }
  void Select(int start, int length) override {
    editor_.SetSelStart(start);
    editor_.SetSelLength(length);
  }
  void SetSelText(std::string_view text) override { editor_.SetSelText(text); }

private:
  TQuillEditor& editor_;
};
