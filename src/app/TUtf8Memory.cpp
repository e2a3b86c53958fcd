#include "app/TUtf8Memory.h"

#include <algorithm>

#include "app/Win1250Unicode.h"

std::uint32_t TUtf8Memory::Key(std::string_view text, std::size_t pos, std::size_t len) {
  std::uint32_t key = 0;
  for (std::size_t k = 0; k < len; ++k) key = (key << 8) | static_cast<unsigned char>(text[pos + k]);
  return key;
}

std::size_t TUtf8Memory::MatchAt(std::string_view text, std::size_t pos) const {
  if (sequences_.empty() || static_cast<unsigned char>(text[pos]) < 0xC2) return 0;
  // The lead byte fixes the length; a cut-off or malformed sequence is never remembered.
  const std::size_t len = Utf8SequenceLength(text, pos);
  if (len < 2) return 0;
  return std::binary_search(sequences_.begin(), sequences_.end(), Key(text, pos, len)) ? len : 0;
}

void TUtf8Memory::Remember(std::string_view sequence) {
  sequences_.push_back(Key(sequence, 0, sequence.size()));
  // Duplicates are squeezed out now and then, so a long file of a few distinct characters stays small.
  if (sequences_.size() >= compactAt_) Compact();
}

void TUtf8Memory::Compact() {
  std::sort(sequences_.begin(), sequences_.end());
  sequences_.erase(std::unique(sequences_.begin(), sequences_.end()), sequences_.end());
  compactAt_ = std::max<std::size_t>(4096, 2 * sequences_.size());
}

int TUtf8Memory::AmbiguousIndex(std::uint32_t key) const {
  for (std::size_t i = 0; i < ambiguous_.size(); ++i)
    if (ambiguous_[i].key == key) return static_cast<int>(i);
  return -1;
}

void TUtf8Memory::Seal(std::string_view decoded, const std::vector<std::size_t>& realStarts) {
  ambiguous_.clear();
  Compact();
  if (sequences_.empty()) return;
  // Walk the text as saving will. A match that is not a real start is made of letters (or stray
  // bytes); it can never cover a real start, because it spans only continuation bytes after its lead.
  struct Occurrence {
    std::uint32_t key;
    bool real;
  };
  std::vector<Occurrence> occurrences;
  bool anyFalse = false;
  std::size_t next = 0;
  for (std::size_t i = 0; i < decoded.size();) {
    const std::size_t len = MatchAt(decoded, i);
    if (len == 0) {
      ++i;
      continue;
    }
    const bool real = next < realStarts.size() && realStarts[next] == i;
    if (real) ++next;
    anyFalse = anyFalse || !real;
    occurrences.push_back({Key(decoded, i, len), real});
    i += len;
  }
  if (!anyFalse) return;
  for (const Occurrence& o : occurrences)
    if (!o.real && AmbiguousIndex(o.key) < 0) ambiguous_.push_back({o.key, {}});
  for (const Occurrence& o : occurrences) {
    const int a = AmbiguousIndex(o.key);
    if (a >= 0) ambiguous_[static_cast<std::size_t>(a)].remembered.push_back(o.real);
  }
}

TUtf8Memory::Writer::Writer(const TUtf8Memory& memory, std::string_view text)
    : memory_(memory), states_(memory.ambiguous_.size()) {
  if (states_.empty()) return;
  std::vector<std::size_t> counts(states_.size(), 0);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = memory_.MatchAt(text, i);
    if (len == 0) {
      ++i;
      continue;
    }
    const int a = memory_.AmbiguousIndex(Key(text, i, len));
    if (a >= 0) ++counts[static_cast<std::size_t>(a)];
    i += len;
  }
  for (std::size_t a = 0; a < states_.size(); ++a)
    states_[a].usePattern = counts[a] == memory_.ambiguous_[a].remembered.size();
}

bool TUtf8Memory::Writer::IsRemembered(std::string_view text, std::size_t pos, std::size_t len) {
  const int a = states_.empty() ? -1 : memory_.AmbiguousIndex(Key(text, pos, len));
  if (a < 0) return true;
  State& s = states_[static_cast<std::size_t>(a)];
  const auto& pattern = memory_.ambiguous_[static_cast<std::size_t>(a)].remembered;
  const bool remembered = s.usePattern && s.next < pattern.size() && pattern[s.next];
  ++s.next;
  return remembered;
}
