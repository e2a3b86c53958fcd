#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "search/TextSearch.h"

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
  // Between these the target need not show each change; EndUpdate shows the result.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  // SearchForward over Text(); a target that can search without copying its whole text does so.
  virtual std::size_t FindForward(std::string_view needle, std::size_t from, bool matchCase) const {
    return SearchForward(Text(), needle, from, matchCase);
  }
};
