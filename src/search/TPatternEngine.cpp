#include "search/TPatternEngine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace {

TCharSet MakeAnyChar() {
  TCharSet s;
  for (unsigned char c : std::string_view("\n\r !\"#%&',./:;<=>@_`|~")) s.set(c);
  for (int c = 'A'; c <= 'Z'; ++c) s.set(static_cast<std::size_t>(c));
  for (int c = 'a'; c <= 'z'; ++c) s.set(static_cast<std::size_t>(c));
  for (int c : {140, 143, 156, 159, 165, 175, 185, 191, 198, 202, 209, 211, 230, 234, 241, 243})
    s.set(static_cast<std::size_t>(c));
  return s;
}

// Reads the pattern one byte at a time; past the end (or at a NUL) it yields 0, which ends everything.
class PatternReader {
public:
  explicit PatternReader(std::string_view pattern) : pattern_(pattern.substr(0, pattern.find('\0'))) {}
  unsigned char Read() { return pos_ < pattern_.size() ? static_cast<unsigned char>(pattern_[pos_++]) : 0; }
  unsigned char Peek() const { return pos_ < pattern_.size() ? static_cast<unsigned char>(pattern_[pos_]) : 0; }

private:
  std::string_view pattern_;
  std::size_t pos_ = 0;
};

// The body of "[...]" after the "[". False when the pattern ends before the "]".
bool ReadSet(PatternReader& in, TCharSet& set) {
  bool include = true;
  int pending = -1;
  auto apply = [&](int c) {
    if (include) {
      set.set(static_cast<std::size_t>(c));
      return;
    }
    // Excluding from nothing means "any character but these".
    if (set.none()) set = AnyChar();
    set.reset(static_cast<std::size_t>(c));
  };
  for (;;) {
    const unsigned char c = in.Read();
    switch (c) {
      case 0: return false;
      case ']': return true;
      case '^': include = !include; break;
      case '-': {
        const unsigned char d = in.Read();
        // A range written without its start begins at code 1: code 0 is what lies past the text's
        // end, and no set may reach it.
        if (d != 0)
          for (int x = pending < 0 ? 1 : pending; x <= d; ++x) apply(x);
        break;
      }
      case '\\': {
        const unsigned char d = in.Read();
        if (d == 0) break;
        if (in.Peek() == '-') {
          pending = d;
        } else {
          apply(d);
          pending = -1;
        }
        break;
      }
      default:
        if (in.Peek() == '-') {
          pending = c;
        } else {
          apply(c);
          pending = -1;
        }
    }
  }
}

}  // namespace

const TCharSet& AnyChar() {
  static const TCharSet set = MakeAnyChar();
  return set;
}

std::optional<std::string> TPatternEngine::Compile(std::string_view pattern) {
  std::vector<TMatchNode> nodes{TMatchNode{}};
  PatternReader in(pattern);
  int depth = 0;
  int previous = -1;
  auto fail = [this](const char* reason) {
    nodes_.assign(1, TMatchNode{});
    return std::optional<std::string>(reason);
  };
  for (unsigned char c = in.Read(); c != 0; c = in.Read()) {
    const int current = static_cast<int>(nodes.size()) - 1;
    TMatchNode node;
    switch (c) {
      case '\\': {
        const unsigned char d = in.Read();
        if (d == 0) continue;  // a "\" at the very end adds nothing
        node.Set.set(d);
        break;
      }
      case '[':
        if (!ReadSet(in, node.Set)) return fail(kPatternErrorOpenSet);
        break;
      case '*':
        node.Set = AnyChar();
        node.Loop = current;
        break;
      case '?': node.Set = AnyChar(); break;
      case '{':
        if (depth == 255) return fail(kPatternErrorTooDeep);
        node.GroupLevel = static_cast<std::uint8_t>(++depth);
        break;
      case '}':
        if (depth == 0) return fail(kPatternErrorUnexpectedClose);
        node.ClosesGroup = true;
        --depth;
        break;
      case '+':
        if (previous < 0) return fail(kPatternErrorPlusFirst);
        if (nodes[static_cast<std::size_t>(previous)].ClosesGroup) {
          // The group that just closed opened at the last "{" of one level deeper than now.
          int open = previous - 1;
          while (open >= 0 && nodes[static_cast<std::size_t>(open)].GroupLevel != depth + 1) --open;
          if (open < 0) return fail(kPatternErrorUnexpectedClose);
          node.Loop = open + 1;
        } else {
          node.Loop = previous;
        }
        break;
      default: node.Set.set(c);
    }
    node.Next = current + 1;
    nodes[static_cast<std::size_t>(current)] = node;
    nodes.emplace_back();
    previous = current;
  }
  nodes_ = std::move(nodes);
  return std::nullopt;
}

// The engine is deterministic: what happens after reaching a node at a text position depends on nothing
// else. So once an attempt fails, every (loop node, position) it passed through is known to fail, and a
// later attempt that reaches one stops at once. Without this, "a*b" or "a+b" over a long run of a's
// would take time growing with the square of the run. A "*" passes through consecutive positions, so
// the last failed run of each is kept as an interval; a "+" is kept in pages of bits allocated only where
// attempts went.
class TPatternEngine::FailedStates {
public:
  explicit FailedStates(std::size_t nodes) : starFailed_(nodes, Interval{1, 0}) {}

  bool StarFailed(int node, int position) const {
    const Interval& run = starFailed_[static_cast<std::size_t>(node)];
    return run.from <= position && position <= run.to;
  }
  // Called at every step of a "*"; consecutive steps of one node extend its current run.
  void VisitStar(int node, int position) {
    if (!runs_.empty() && runs_.back().node == node && runs_.back().span.to + 1 == position)
      runs_.back().span.to = position;
    else
      runs_.push_back({node, {position, position}});
  }

  bool PlusFailed(int node, int position) const {
    const auto page = pages_.find(Key(node, position));
    return page != pages_.end() && ((page->second[Word(position)] >> Bit(position)) & 1U) != 0;
  }
  void VisitPlus(int node, int position) { plusVisits_.emplace_back(node, position); }

  void AttemptFailed() {
    for (const Run& run : runs_) starFailed_[static_cast<std::size_t>(run.node)] = run.span;
    for (const auto& [node, position] : plusVisits_) {
      auto& page = pages_[Key(node, position)];
      if (page.empty()) page.resize(kPageBits / 64);
      page[Word(position)] |= std::uint64_t{1} << Bit(position);
    }
    AttemptEnded();
  }
  void AttemptEnded() {
    runs_.clear();
    plusVisits_.clear();
  }

private:
  struct Interval {
    int from, to;
  };
  struct Run {
    int node;
    Interval span;
  };
  static constexpr int kPageBits = 1 << 16;
  static std::uint64_t Key(int node, int position) {
    return (static_cast<std::uint64_t>(node) << 32) | static_cast<std::uint32_t>(position / kPageBits);
  }
  static std::size_t Word(int position) { return static_cast<std::size_t>(position % kPageBits) / 64; }
  static int Bit(int position) { return position % 64; }

  std::vector<Interval> starFailed_;
  std::vector<Run> runs_;
  std::unordered_map<std::uint64_t, std::vector<std::uint64_t>> pages_;
  std::vector<std::pair<int, int>> plusVisits_;
};

int TPatternEngine::MatchAt(std::string_view text, int position) const {
  if (position < 1 || static_cast<std::size_t>(position) > text.size() + 1) return -1;
  return Match(text, position - 1, nullptr);
}

int TPatternEngine::Match(std::string_view text, int start, FailedStates* failed) const {
  const int size = static_cast<int>(text.size());
  auto at = [&](int i) { return i < size ? static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) : 0; };
  int i = start;
  int n = 0;
  for (;;) {
    const TMatchNode& node = nodes_[static_cast<std::size_t>(n)];
    if (node.Next < 0) return i - start;
    const TMatchNode& next = nodes_[static_cast<std::size_t>(node.Next)];
    if (node.Loop >= 0 && failed != nullptr) {
      if (node.Set.any()) {
        if (failed->StarFailed(n, i)) return -1;
        failed->VisitStar(n, i);
      } else {
        if (failed->PlusFailed(n, i)) return -1;
        failed->VisitPlus(n, i);
      }
    }
    const unsigned char c = at(i);
    if (node.Set.test(c)) {
      ++i;
      if (node.Loop < 0) {
        n = node.Next;
      } else {
        // "*": at least one character, and it stops as soon as what follows can start. Before a
        // marker or at the pattern's end it can never stop.
        if (next.Set.none()) return -1;
        if (next.Set.test(at(i))) n = node.Next;
      }
    } else if (node.Set.none()) {
      if (node.Loop >= 0 && !next.Set.test(c) && nodes_[static_cast<std::size_t>(node.Loop)].Set.test(c))
        n = node.Loop;  // "+": one more round of the unit
      else
        n = node.Next;
    } else {
      return -1;
    }
  }
}

std::optional<TPatternHit> TPatternEngine::Find(std::string_view text, int startOffset, int lastOffset) const {
  const int size = static_cast<int>(text.size());
  const int first = std::clamp(startOffset, 0, size);
  const int last = std::clamp(lastOffset, -1, size);
  // Skip the markers at the start: a match can only begin with a character of the first node with a set.
  int lead = 0;
  while (nodes_[static_cast<std::size_t>(lead)].Next >= 0 && nodes_[static_cast<std::size_t>(lead)].Set.none() &&
         nodes_[static_cast<std::size_t>(lead)].Loop < 0)
    lead = nodes_[static_cast<std::size_t>(lead)].Next;
  const TMatchNode& leader = nodes_[static_cast<std::size_t>(lead)];
  const bool filter = leader.Set.any();
  std::array<bool, 256> starts{};
  int single = -1;
  for (std::size_t c = 0; c < 256; ++c) {
    starts[c] = leader.Set.test(c);
    if (starts[c]) single = leader.Set.count() == 1 ? static_cast<int>(c) : -1;
  }

  FailedStates failed(nodes_.size());
  for (int i = first; i <= last; ++i) {
    if (filter) {
      if (single >= 0) {
        const void* hit = i < size ? std::memchr(text.data() + i, single, static_cast<std::size_t>(size - i)) : nullptr;
        if (hit == nullptr) return std::nullopt;
        i = static_cast<int>(static_cast<const char*>(hit) - text.data());
      } else {
        while (i < size && !starts[static_cast<unsigned char>(text[static_cast<std::size_t>(i)])]) ++i;
        if (i >= size) return std::nullopt;
      }
      if (i > last) return std::nullopt;
    }
    const int length = Match(text, i, &failed);
    if (length > 0) return TPatternHit{i + 1, length};
    if (length < 0)
      failed.AttemptFailed();
    else
      failed.AttemptEnded();
  }
  return std::nullopt;
}
