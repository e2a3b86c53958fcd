#pragma once
#include "editor/TQuillEditor.h"
#include "search/SearchTarget.h"

// The search commands' view of the real editor control.
class EditorSearchTarget : public SearchTarget {
public:
  // chunkBytes: how much of the text a forward search copies out of the editor at a time.
  explicit EditorSearchTarget(TQuillEditor& editor, std::size_t chunkBytes = std::size_t{1} << 20)
      : editor_(editor), chunkBytes_(chunkBytes) {}

  std::string Text() const override { return editor_.Text(); }
  int SelStart() const override { return editor_.SelStart(); }
  int SelLength() const override { return editor_.SelLength(); }
  void Select(int start, int length) override {
    editor_.SetSelStart(start);
    editor_.SetSelLength(length);
  }
  void SetSelText(std::string_view text) override { editor_.SetSelText(text); }
  void BeginUpdate() override { editor_.BeginUpdate(); }
  void EndUpdate() override {
    editor_.EndUpdate();
    editor_.Paint();
  }
  std::size_t FindForward(std::string_view needle, std::size_t from, bool matchCase) const override;

private:
  TQuillEditor& editor_;
  std::size_t chunkBytes_;
};
