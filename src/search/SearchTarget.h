#pragma once
#include <string>
#include <string_view>

// What the search commands need of the editor: its text, its selection, and replacing the selection
// the way typing does (recorded for undo; the caret ends after the new text, nothing selected).
// Offsets count a line break as two characters.
class SearchTarget {
public:
  virtual ~SearchTarget() = default;
  virtual std::string Text() const = 0;
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual void Select(int start, int length) = 0;
  virtual void SetSelText(std::string_view text) = 0;
};
