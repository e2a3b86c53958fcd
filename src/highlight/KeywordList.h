#pragma once
#include <array>
#include <cstddef>
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

private:
  std::array<std::vector<std::string_view>, 26> byLetter_;
  std::size_t longest_ = 0;
};

// The keyword lists of the languages.
const KeywordList& ScriptKeywords();  // JavaScript-like words recognised in HTML comments
const KeywordList& PhpKeywords();
const KeywordList& CppKeywords();
const KeywordList& PerlKeywords();
const KeywordList& PascalKeywords();
