#pragma once
// LineStore::VisitLines, for the readers that walk many lines in a tight loop (the highlighters' scans).
#include <algorithm>

#include "editor/LineStore.h"

template <class Visit>
int LineStore::VisitLines(int first, int end, Visit visit) {
  end = std::min(end, count_);
  if (first < 0 || first >= end) return std::max(first, 0);
  const Where w = Locate(first);
  auto block = static_cast<std::size_t>(w.block);
  auto index = static_cast<std::size_t>(w.index);
  std::string_view bytes = blocks_[block].Bytes();
  std::span<Entry> entries = blocks_[block].Entries();
  std::size_t byte = ByteOffsetInBlock(blocks_[block], w.index);
  std::uint16_t past = 0;  // the "next line" of the last line
  int line = first;
  while (line < end) {
    const std::size_t length = entries[index].length;
    const std::string_view text = bytes.substr(byte, length);
    byte += length;
    ++index;
    ++line;
    while (index >= entries.size() && block + 1 < blocks_.size()) {
      ++block;
      bytes = blocks_[block].Bytes();
      entries = blocks_[block].Entries();
      index = 0;
      byte = 0;
    }
    std::uint16_t* next = &past;
    if (line < count_) {
      entries[index].hasRecord = 1;
      next = &entries[index].startState;
    }
    if (!visit(text, *next)) break;
  }
  return line;
}
