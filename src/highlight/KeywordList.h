#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A keyword list indexed by first letter: a word is compared only with the keywords of its own first
// letter. Matching is case-sensitive and only words beginning with a-z can be found.
class KeywordList {
public:
  // words: blank-separated; the text must outlive the list (the lists are built from literals).
  explicit KeywordList(std::string_view words);
  bool Contains(std::string_view word) const;
  // Lower-cases ASCII letters before the look-up.
  bool ContainsLowerCased(std::string_view word) const;
  // No word longer than this can be found.
  std::size_t Longest() const { return longest_; }

  // A word of at most MaxPacked letters a-z packed into a number, 5 bits a letter; 0 for any other word.
  static constexpr std::size_t MaxPacked = 12;
  static std::uint64_t Pack(std::string_view word) {
    if (word.empty() || word.size() > MaxPacked) return 0;
    std::uint64_t code = 0;
    for (const char c : word) {
      if (c < 'a' || c > 'z') return 0;
      code = code << 5 | static_cast<std::uint64_t>(c - 'a' + 1);
    }
    return code;
  }
  // Contains for a word that packs to `code` (not 0).
  bool ContainsPacked(std::uint64_t code) const {
    const std::size_t mask = packed_.size() - 1;
    for (std::size_t k = Slot(code, mask);; k = (k + 1) & mask) {
      if (packed_[k] == code) return true;
      if (packed_[k] == 0) return false;
    }
  }

private:
  static std::size_t Slot(std::uint64_t code, std::size_t mask) {
    return static_cast<std::size_t>((code * 0x9E3779B97F4A7C15ull) >> 40) & mask;
  }
  // The packed keywords in an open-addressed table (0 = free), looked up without comparing strings;
  // a keyword that does not pack is kept in `others`.
  std::vector<std::uint64_t> packed_;
  std::vector<std::string_view> others_;
  std::size_t longest_ = 0;
};

// The keyword lists of the languages.
const KeywordList& ScriptKeywords();  // JavaScript-like words recognised in HTML comments
const KeywordList& PhpKeywords();
const KeywordList& CppKeywords();
const KeywordList& PerlKeywords();
const KeywordList& PascalKeywords();
