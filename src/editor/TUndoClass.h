#pragma once
#include <array>
#include <string>

// One edit that Undo can take back. Positions and lengths are document offsets, in which a hard line
// break counts two characters and a soft break none, so records survive word-wrap re-flows.
struct TUndoRecord {
  enum Kind { ekNone = 0, ekInsert = 1, ekDelete = 2, ekReplace = 6 };
  std::string SavedText;  // empty for an insertion; the removed or replaced text otherwise
  // The characters of the foreign-character marks in SavedText, in order (editor/ForeignMarks.h); empty
  // when they all stand for themselves.
  std::u32string SavedMarks;
  int EditKind = ekNone;
  int Position = 0;
  int Param = 0;  // inserted length, deleted length, or new length of a replacement
};

// The newest 100 edits of one editor; record 0 is the newest.
class TUndoClass {
public:
  static constexpr int Capacity = 100;

  int Count() const { return count_; }
  // Record i counted from the newest (0 = newest).
  const TUndoRecord& Record(int i) const {
    return records_[static_cast<std::size_t>((head_ + i) % Capacity)];
  }
  void Clear();
  void PushInsert(int position, int length);
  void PushDelete(int position, const std::string& text, std::u32string marks = {});
  void PushReplace(int position, int newLength, const std::string& oldText, std::u32string marks = {});
  bool CanUndo() const { return count_ >= 1; }
  // Removes and returns the newest record; an empty record when there is none.
  TUndoRecord Pop();

private:
  void Push(TUndoRecord record);

  // A ring: head_ is the slot of record 0, so a push or pop moves no strings.
  std::array<TUndoRecord, Capacity> records_{};
  int head_ = 0;
  int count_ = 0;
};
