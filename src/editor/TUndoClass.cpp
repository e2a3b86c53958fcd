#include "editor/TUndoClass.h"

#include <utility>

void TUndoClass::Clear() {
  for (auto& r : records_) r = TUndoRecord{};
  head_ = 0;
  count_ = 0;
}

void TUndoClass::Push(TUndoRecord record) {
  // When full, the oldest record's slot becomes the new record 0.
  head_ = (head_ + Capacity - 1) % Capacity;
  records_[static_cast<std::size_t>(head_)] = std::move(record);
  if (count_ < Capacity) ++count_;
}

void TUndoClass::PushInsert(int position, int length) {
  Push(TUndoRecord{{}, {}, TUndoRecord::ekInsert, position, length});
}

void TUndoClass::PushDelete(int position, const std::string& text, std::u32string marks) {
  Push(TUndoRecord{text, std::move(marks), TUndoRecord::ekDelete, position, static_cast<int>(text.size())});
}

void TUndoClass::PushReplace(int position, int newLength, const std::string& oldText, std::u32string marks) {
  Push(TUndoRecord{oldText, std::move(marks), TUndoRecord::ekReplace, position, newLength});
}

TUndoRecord TUndoClass::Pop() {
  if (count_ == 0) return {};
  TUndoRecord out = std::move(records_[static_cast<std::size_t>(head_)]);
  records_[static_cast<std::size_t>(head_)] = TUndoRecord{};
  head_ = (head_ + 1) % Capacity;
  --count_;
  return out;
}
