#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// What a UTF-8 file held besides ASCII and the 18 Polish letters, kept with the document so that saving
// writes those characters back as they were. Inside the program such a character is its raw UTF-8
// bytes (the editor shows them as Windows-1250 characters); on saving, a remembered sequence at the
// start of a run of high bytes is copied, and every other high byte becomes the UTF-8 form of its
// Windows-1250 character.
//
// Bytes alone cannot always tell which is which: the letters "ĘŚ" are the bytes CA 8C, which are also
// the UTF-8 form of "ʌ". When a file held such a character and also letters forming the same bytes,
// the memory keeps the order in which the two kinds occurred; as long as the text still holds that
// many occurrences they are written back in that order, otherwise every occurrence is written as the
// letters the editor shows.
class TUtf8Memory {
public:
  bool Empty() const { return sequences_.empty(); }
  std::size_t Size() const { return sequences_.size(); }

  // Length of the remembered sequence that starts at text[pos], or 0.
  std::size_t MatchAt(std::string_view text, std::size_t pos) const;

  // Building, while a file is decoded: every sequence kept raw, then Seal with the decoded text and
  // the positions where those sequences really start (ascending). Only a sealed memory is used.
  void Remember(std::string_view sequence);
  void Seal(std::string_view decoded, const std::vector<std::size_t>& realStarts);

  // Writing: decides for each occurrence found by MatchAt whether it is the remembered character.
  class Writer {
  public:
    Writer(const TUtf8Memory& memory, std::string_view text);
    bool IsRemembered(std::string_view text, std::size_t pos, std::size_t len);

  private:
    struct State {
      std::size_t next = 0;
      bool usePattern = false;
    };
    const TUtf8Memory& memory_;
    std::vector<State> states_;  // one per ambiguous sequence
  };

  bool operator==(const TUtf8Memory& other) const {
    return sequences_ == other.sequences_ && ambiguous_ == other.ambiguous_;
  }

private:
  static std::uint32_t Key(std::string_view text, std::size_t pos, std::size_t len);
  int AmbiguousIndex(std::uint32_t key) const;
  void Compact();

  struct Ambiguous {
    std::uint32_t key = 0;
    std::vector<bool> remembered;  // per occurrence in text order: the character (true) or letters
    bool operator==(const Ambiguous&) const = default;
  };
  std::vector<std::uint32_t> sequences_;  // sorted, unique; bytes packed big-endian
  std::vector<Ambiguous> ambiguous_;
  std::size_t compactAt_ = 4096;
};
