#pragma once
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's own small pattern language: literals, "\c", sets "[...]" with ranges and "^", "?" (one
// character), "*" (one or more, shortest), groups "{...}" and "+" (repeat the element or group before it).
// A pattern compiles into a list of match nodes that is walked with one character of look-ahead and no
// backtracking. Each engine holds its own nodes, so any number of searches can exist at once.

using TCharSet = std::bitset<256>;

// What "*", "?" and negated sets accept: letters (the Polish ones except Ł and ł), blanks, line breaks and
// most punctuation, but no digit, no TAB and none of the pattern's own signs.
const TCharSet& AnyChar();

struct TMatchNode {
  int Next = -1;  // index of the following node; -1 only in the terminal node
  int Loop = -1;  // the alternative successor of "*" (itself) and "+" (the unit it repeats)
  TCharSet Set;   // empty for group markers, "+" and the terminal node
  std::uint8_t GroupLevel = 0;  // a "{" node: the nesting depth after opening it (1..255)
  bool ClosesGroup = false;     // a "}" node
};

// The heading of every invalid-pattern message and the four reasons that follow it on the next line.
inline constexpr const char* kPatternErrorHeading = "Wyrażenie jest niepoprawnie zbudowane !!!";
inline constexpr const char* kPatternErrorPlusFirst = "Znak \"+\" nie może wystąpić jako pierwszy element maski !";
inline constexpr const char* kPatternErrorUnexpectedClose = "Nieoczekiwany znak \"}\" !!";
inline constexpr const char* kPatternErrorTooDeep = "Nawiasy grupujące mogą byc zagnierzdżone najwyżej do 255 poziomów !!";
inline constexpr const char* kPatternErrorOpenSet = "Nie zamknięty nawias zbioru \"[..]\"";

struct TPatternHit {
  int Position = 0;  // 1-based
  int Length = 0;
};

class TPatternEngine {
public:
  // Compiles a pattern of Windows-1250 bytes (a NUL byte ends it). Returns the reason when the pattern is
  // invalid, in which case the engine holds the empty pattern, which matches nothing.
  std::optional<std::string> Compile(std::string_view pattern);
  const std::vector<TMatchNode>& Nodes() const { return nodes_; }

  // The length of the match beginning at 1-based position in text, or -1. Past the text's end there
  // are NUL characters, which no set holds, so a match never runs beyond it.
  int MatchAt(std::string_view text, int position) const;

  // The first match of length above 0 that begins at a 1-based position from startOffset + 1 to
  // lastOffset + 1 (offsets are clamped to the text); nothing when there is none.
  std::optional<TPatternHit> Find(std::string_view text, int startOffset, int lastOffset) const;

private:
  class FailedStates;
  int Match(std::string_view text, int start, FailedStates* failed) const;

  std::vector<TMatchNode> nodes_{TMatchNode{}};
};
