#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/TStringParams.h"

// The editor's stored lines with their optional TStringParams records.
//
// Lines live in blocks of a few hundred: each block keeps its lines' bytes in one string plus an 8-byte
// entry per line (length and record), so a document costs little more than its own bytes. A Fenwick
// tree over the blocks answers "offset of line L" and "line at offset p" in O(log n), where the offset
// counts a hard break (LineFlag 0) as two characters and a soft break as none.
class LineStore {
public:
  struct SharedRun;
  LineStore();

  // A block's text of at least this many bytes keeps spare room for typing; a loaded line this long
  // gets a block and a copy of its own at once.
  static constexpr std::size_t RoomyLineBytes = std::size_t{1} << 20;

  int Count() const { return count_; }
  // The text of line i; empty for an index outside the list. Valid until the next change.
  std::string_view Line(int i) const;
  int Length(int i) const;
  // The last line before line i that is not empty, or -1; a block without bytes is passed at once, so a
  // long run of empty lines costs little.
  int LastNonEmptyBefore(int i) const;

  void SetLine(int i, std::string_view text);
  // Replaces `count` bytes of line i from byte `at` (both clamped to the line) with `text`, in place:
  // typing into a very long line moves its tail instead of copying the whole line.
  void ReplaceInLine(int i, std::size_t at, std::size_t count, std::string_view text);
  // Inserts lines without records before line `at` (at == Count() appends).
  void Insert(int at, std::string_view text);
  void InsertLines(int at, const std::vector<std::string_view>& lines);
  // Inserts a line carrying a record.
  void InsertWithRecord(int at, std::string_view text, TStringParams params);
  // Inserts lines that all carry the same record, in one step (the pieces of a wrapped line).
  void InsertWithRecords(int at, const std::vector<std::string_view>& lines, TStringParams params);
  // Inserts before line `at` the lines of `text` cut at every CR (a CR LF pair is one break, a lone CR
  // breaks too; the piece after the last break is a line as well), without records, and returns how
  // many went in. Given the string that `text` lies in, a long text is kept where it is instead of being
  // copied: the string is taken over (left empty) and its bytes are rearranged.
  // When the text is long enough to be kept as a shared text (SharedLines), `onLayout` is called with it
  // before its lines are laid out (they will be the lines from `at` on), so that a reader on another
  // thread can follow the layout.
  int InsertBrokenText(int at, std::string_view text, std::string* owner = nullptr,
                       const std::function<void(SharedRun)>& onLayout = {});
  void Delete(int i);
  // Deletes lines first .. last inclusive; nothing when the range is empty.
  void DeleteRange(int first, int last);
  void Clear();

  bool HasRecord(int i) const;
  // The line's record; a default one when the line has none or does not exist.
  TStringParams Params(int i) const;
  std::uint8_t LineFlag(int i) const { return Params(i).LineFlag; }
  std::uint16_t StartState(int i) const { return Params(i).StartState; }
  // Setters create the record when the line has none; nothing for an index outside the list.
  void SetParams(int i, TStringParams params);
  void SetLineFlag(int i, std::uint8_t flag);
  void SetStartState(int i, std::uint16_t state);
  void RemoveRecord(int i);
  // Sets StartState to 0 in every existing record from line `first` on.
  void ClearStartStates(int first);
  // Reads lines first .. end-1 in order without a search per line (editor/LineStoreVisit.h): visit(text,
  // next) sets `next`, the start state of the line after `text` (its record is made when missing), and
  // returns whether to go on. Returns the index of the line after the last one visited.
  template <class Visit>
  int VisitLines(int first, int end, Visit visit);

  // Offset of the first character of line i (i may equal Count(): the total including the last
  // line's own hard break).
  std::int64_t OffsetOfLine(int i) const;
  // The first line whose start offset is >= offset; Count() when there is none.
  int FirstLineStartingAtOrAfter(std::int64_t offset) const;
  // How many of the lines before line i end in a soft break.
  int SoftBreaksBefore(int i) const;
  // The document text: lines joined, CR LF after every line whose LineFlag is 0 except the last.
  std::string Text() const;
  std::int64_t TextLength() const;
  // How many reserved bytes of foreign-character marks (editor/ForeignMarks.h) the lines before line i
  // hold. Counted per block only when first asked after a change, so documents without marks never pay.
  std::int64_t MarkBytesBefore(int i) const;

  // Watches the first `bytes` bytes of line `line` (only one watch at a time): WatchIntact(id) stays true
  // until a change that may touch them, which is any change but a replacement inside that line at or
  // after `bytes`. Lets a reader keep what it computed from the start of a very long line while the
  // user types further right in it.
  std::uint64_t Watch(int line, std::size_t bytes);
  bool WatchIntact(std::uint64_t id) const { return watch_.intact && id == watch_.id; }

private:
  struct SharedText;

public:
  // A reader's hold on a long text inserted at once (below), which may be read on any thread: the bytes
  // and line lengths laid out there never change afterwards (a block takes copies of its own before any
  // change), and the hold keeps them alive after the store has let them go. The store itself stays on
  // the thread that owns it; the records beside the lengths are written there, and never read here.
  class SharedLines {
  public:
    // Waits until at least `lines` lines are laid out, or the layout is over; returns how many are.
    std::size_t WaitLaidOut(std::size_t lines) const;
    // Line `entry` of the text (laid out), whose bytes begin at `byte`.
    std::string_view Line(std::size_t entry, std::size_t byte) const;
    // Tells shared texts apart; never dereferenced.
    const void* Identity() const { return text_.get(); }

  private:
    friend class LineStore;
    std::shared_ptr<const SharedText> text_;
    // Taken before the layout begins: neither buffer moves afterwards.
    const char* bytes_ = nullptr;
    const void* entries_ = nullptr;
  };
  // The lines firstLine .. firstLine+lines-1 of the store are, unchanged and in order, the shared text's
  // lines from `firstEntry` on, whose bytes begin at `firstByte`.
  struct SharedRun {
    SharedLines text;
    int firstLine = 0;
    int lines = 0;
    std::size_t firstEntry = 0;
    std::size_t firstByte = 0;
    std::size_t bytes = 0;  // at most this many bytes
  };
  // The run that starts with the first block lying in a shared text and goes on while the blocks after it
  // continue that text, looked at as far as line `until`; lines == 0 when no block lies in one.
  SharedRun FirstSharedRun(int until = std::numeric_limits<int>::max()) const;

private:
  struct Entry {
    std::uint32_t length = 0;
    std::uint8_t lineFlag = 0;
    std::uint8_t hasRecord = 0;
    std::uint16_t startState = 0;
  };
  // A long text inserted at once (a document being opened), its line breaks taken out: the blocks cut
  // from it keep their bytes and entries here until a change of their text or line count gives them
  // copies of their own, so loading costs one pass and no allocation per block.
  struct SharedText {
    std::string bytes;
    std::vector<Entry> entries;
    // Lines laid out so far << 1, with kLaidOut once the layout is over (a reader may follow it).
    static constexpr std::uint64_t kLaidOut = 1;
    std::atomic<std::uint64_t> laidOut{0};
  };
  struct Block {
    std::string text;            // the bytes, unless `shared` holds them
    std::vector<Entry> entries;  // the entries, unless `shared` holds them
    std::shared_ptr<SharedText> shared;
    std::size_t sharedByte = 0, sharedBytes = 0, sharedEntry = 0, sharedLines = 0;
    std::int64_t weight = 0;  // characters plus two per hard break
    int soft = 0;             // lines ending in a soft break
    mutable std::int64_t marks = -1;  // reserved bytes in text; -1 = not counted since the last change

    std::string_view Bytes() const {
      return shared ? std::string_view(shared->bytes).substr(sharedByte, sharedBytes) : std::string_view(text);
    }
    std::span<Entry> Entries() {
      return shared ? std::span<Entry>(shared->entries).subspan(sharedEntry, sharedLines) : std::span<Entry>(entries);
    }
    std::span<const Entry> Entries() const {
      return shared ? std::span<const Entry>(shared->entries).subspan(sharedEntry, sharedLines)
                    : std::span<const Entry>(entries);
    }
    std::size_t Lines() const { return shared ? sharedLines : entries.size(); }
    // Gives a block cut from a shared text copies of its own, before its text or line count changes.
    void Own();
  };
  struct Where {
    int block;
    int index;
  };

  Where Locate(int line) const;
  std::size_t ByteOffsetInBlock(const Block& b, int index) const;
  static std::int64_t EntryWeight(const Entry& e) { return e.length + (e.lineFlag ? 0 : 2); }
  void InsertEntries(int at, const std::vector<std::string_view>& lines, const Entry& proto);
  void InsertBlocks(int at, const std::vector<std::string_view>& lines, const Entry& proto);
  // Puts new blocks holding `lines` lines before line `at`, cutting the block there in two.
  void InsertBlockList(int at, std::vector<Block> fresh, int lines);
  // Records a change of a block's line count and weight in the block and in the index.
  void AdjustBlock(int block, int lines, std::int64_t weight, int soft);
  // Splits an oversized block into blocks of about TargetLines lines; true when it did.
  bool SplitIfLarge(int block);
  void RebuildIndex();
  std::int64_t PrefixWeight(int blocks) const;  // weight of blocks [0, blocks)
  int PrefixLines(int blocks) const;

  // The last line read, so that reading lines one after another costs no walk through the block.
  struct ReadCache {
    int line = -1;
    Where where{0, 0};
    std::size_t byte = 0;
  };
  mutable ReadCache cache_;

  std::vector<Block> blocks_;
  // Fenwick trees over blocks, 1-based.
  std::vector<std::int64_t> fenWeight_;
  std::vector<int> fenLines_;
  std::vector<int> fenSoft_;
  int count_ = 0;
  struct {
    std::uint64_t id = 0;
    int line = -1;
    std::size_t bytes = 0;
    bool intact = false;
  } watch_;
  void EndWatch() { watch_.intact = false; }
};

inline std::string_view LineStore::SharedLines::Line(std::size_t entry, std::size_t byte) const {
  // Only the length of the entry is read: the record fields beside it belong to the store's thread.
  return {bytes_ + byte, static_cast<const Entry*>(entries_)[entry].length};
}
