#include "editor/LineStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "editor/ByteScan.h"
#include "editor/ForeignMarks.h"
#include "editor/LargeBuffers.h"

namespace {
// A block is split when it holds more lines or bytes than these; the pieces aim at half of them.
constexpr std::size_t MaxLines = 512;
constexpr std::size_t TargetLines = 256;
constexpr std::size_t MaxBytes = 64 * 1024;
constexpr std::size_t TargetBytes = 32 * 1024;

// Makes room for `bytes` bytes in a block's text before it grows to them. A long text (a very long
// line, alone in its block) gets an eighth more than it needs: typing into it then moves the bytes
// after the caret instead of moving the whole line to a larger buffer (the first key after loading a
// 20 MB line used to wait ~80 ms for that). `text`, the bytes about to go in, may lie in `s`: it is
// pointed at the new buffer then.
void MakeRoom(std::string& s, std::size_t bytes, std::string_view& text) {
  if (bytes <= s.capacity() || bytes < LineStore::RoomyLineBytes) return;
  const char* old = s.data();
  const bool inside = text.data() >= old && text.data() + text.size() <= old + s.size();
  const std::size_t at = inside ? static_cast<std::size_t>(text.data() - old) : 0;
  ReserveLarge(s, bytes + bytes / 8 - s.size());
  if (inside) text = std::string_view(s.data() + at, text.size());
}

std::size_t LowBit(std::size_t i) { return i & (~i + 1); }
}  // namespace

void LineStore::Block::Own() {
  if (!shared) return;
  std::string_view bytes = Bytes();
  MakeRoom(text, bytes.size(), bytes);
  text.assign(bytes);
  const std::span<const Entry> own = std::as_const(*this).Entries();
  entries.assign(own.begin(), own.end());
  shared.reset();
}

std::size_t LineStore::SharedLines::WaitLaidOut(std::size_t lines) const {
  for (;;) {
    const std::uint64_t v = text_->laidOut.load(std::memory_order_acquire);
    if ((v >> 1) >= lines || (v & SharedText::kLaidOut) != 0) return static_cast<std::size_t>(v >> 1);
    text_->laidOut.wait(v, std::memory_order_acquire);
  }
}

LineStore::SharedRun LineStore::FirstSharedRun(int until) const {
  SharedRun run;
  int line = 0;
  for (const Block& b : blocks_) {
    const auto lines = static_cast<int>(b.Lines());
    if (lines == 0) continue;
    if (run.lines == 0) {
      if (b.shared) {
        run.text.text_ = b.shared;
        run.text.bytes_ = b.shared->bytes.data();
        run.text.entries_ = b.shared->entries.data();
        run.firstLine = line;
        run.lines = lines;
        run.firstEntry = b.sharedEntry;
        run.firstByte = b.sharedByte;
        run.bytes = b.sharedBytes;
      }
    } else if (b.shared == run.text.text_ && b.sharedEntry == run.firstEntry + static_cast<std::size_t>(run.lines)) {
      run.lines += lines;
      run.bytes += b.sharedBytes;
    } else {
      break;
    }
    line += lines;
    if (run.lines > 0 && line > until) break;
  }
  return run;
}

LineStore::LineStore() {
  blocks_.emplace_back();
  RebuildIndex();
}

void LineStore::RebuildIndex() {
  cache_.line = -1;
  const std::size_t n = blocks_.size();
  fenWeight_.assign(n + 1, 0);
  fenLines_.assign(n + 1, 0);
  fenSoft_.assign(n + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    fenWeight_[i] += blocks_[i - 1].weight;
    fenLines_[i] += static_cast<int>(blocks_[i - 1].Lines());
    fenSoft_[i] += blocks_[i - 1].soft;
    const std::size_t parent = i + LowBit(i);
    if (parent <= n) {
      fenWeight_[parent] += fenWeight_[i];
      fenLines_[parent] += fenLines_[i];
      fenSoft_[parent] += fenSoft_[i];
    }
  }
}

void LineStore::AdjustBlock(int block, int lines, std::int64_t weight, int soft) {
  cache_.line = -1;
  blocks_[static_cast<std::size_t>(block)].weight += weight;
  blocks_[static_cast<std::size_t>(block)].soft += soft;
  count_ += lines;
  for (std::size_t i = static_cast<std::size_t>(block) + 1; i < fenWeight_.size(); i += LowBit(i)) {
    fenWeight_[i] += weight;
    fenLines_[i] += lines;
    fenSoft_[i] += soft;
  }
}

std::int64_t LineStore::PrefixWeight(int blocks) const {
  std::int64_t sum = 0;
  for (auto i = static_cast<std::size_t>(blocks); i > 0; i -= LowBit(i)) sum += fenWeight_[i];
  return sum;
}

int LineStore::PrefixLines(int blocks) const {
  int sum = 0;
  for (auto i = static_cast<std::size_t>(blocks); i > 0; i -= LowBit(i)) sum += fenLines_[i];
  return sum;
}

LineStore::Where LineStore::Locate(int line) const {
  const std::size_t n = blocks_.size();
  if (line >= count_) {
    return {static_cast<int>(n) - 1, static_cast<int>(blocks_.back().Lines()) + (line - count_)};
  }
  // A scan reading lines in order asks about the line read last or a neighbour of it: no search.
  if (cache_.line >= 0 && line >= cache_.line - 1 && line <= cache_.line + 1) {
    const Where w = cache_.where;
    const auto b = static_cast<std::size_t>(w.block);
    if (line == cache_.line) return w;
    if (line < cache_.line) {
      if (w.index > 0) return {w.block, w.index - 1};
    } else {
      if (static_cast<std::size_t>(w.index) + 1 < blocks_[b].Lines()) return {w.block, w.index + 1};
      if (b + 1 < blocks_.size() && blocks_[b + 1].Lines() != 0) return {w.block + 1, 0};
    }
  }
  std::size_t pos = 0;
  int rem = line;
  std::size_t step = 1;
  while (step * 2 <= n) step *= 2;
  for (; step > 0; step /= 2) {
    if (pos + step <= n && fenLines_[pos + step] <= rem) {
      pos += step;
      rem -= fenLines_[pos];
    }
  }
  return {static_cast<int>(pos), rem};
}

std::size_t LineStore::ByteOffsetInBlock(const Block& b, int index) const {
  std::size_t off = 0;
  const std::span<const Entry> entries = b.Entries();
  for (int k = 0; k < index; ++k) off += entries[static_cast<std::size_t>(k)].length;
  return off;
}

std::string_view LineStore::Line(int i) const {
  if (i < 0 || i >= count_) return {};
  if (cache_.line >= 0 && i == cache_.line + 1) {
    const Block& prev = blocks_[static_cast<std::size_t>(cache_.where.block)];
    const std::size_t next = static_cast<std::size_t>(cache_.where.index) + 1;
    if (next < prev.Lines()) {
      cache_.byte += prev.Entries()[next - 1].length;
      cache_.where.index += 1;
    } else {
      cache_.where = Where{cache_.where.block + 1, 0};
      cache_.byte = 0;
    }
    cache_.line = i;
  } else if (i != cache_.line) {
    cache_.where = Locate(i);
    cache_.byte = ByteOffsetInBlock(blocks_[static_cast<std::size_t>(cache_.where.block)], cache_.where.index);
    cache_.line = i;
  }
  const Block& b = blocks_[static_cast<std::size_t>(cache_.where.block)];
  return b.Bytes().substr(cache_.byte, b.Entries()[static_cast<std::size_t>(cache_.where.index)].length);
}

int LineStore::Length(int i) const {
  if (i < 0 || i >= count_) return 0;
  const Where w = Locate(i);
  return static_cast<int>(blocks_[static_cast<std::size_t>(w.block)].Entries()[static_cast<std::size_t>(w.index)].length);
}

int LineStore::LastNonEmptyBefore(int i) const {
  i = std::min(i, count_);
  if (i <= 0) return -1;
  const Where w = Locate(i - 1);
  int line = i - 1;
  for (int b = w.block; b >= 0; --b) {
    const Block& block = blocks_[static_cast<std::size_t>(b)];
    int k = b == w.block ? w.index : static_cast<int>(block.Lines()) - 1;
    if (block.Bytes().empty()) {
      line -= k + 1;
      continue;
    }
    const std::span<const Entry> entries = block.Entries();
    for (; k >= 0; --k, --line)
      if (entries[static_cast<std::size_t>(k)].length > 0) return line;
  }
  return -1;
}

void LineStore::SetLine(int i, std::string_view text) {
  if (i < 0 || i >= count_) return;
  EndWatch();
  const Where w = Locate(i);
  Block& b = blocks_[static_cast<std::size_t>(w.block)];
  const std::shared_ptr<SharedText> keep = b.shared;  // `text` may lie in it
  b.Own();
  Entry& e = b.entries[static_cast<std::size_t>(w.index)];
  const std::size_t at = ByteOffsetInBlock(b, w.index);
  if (b.marks >= 0) {
    b.marks += static_cast<std::int64_t>(CountMarkBytes(text)) -
               static_cast<std::int64_t>(CountMarkBytes(std::string_view(b.text).substr(at, e.length)));
  }
  MakeRoom(b.text, b.text.size() - e.length + text.size(), text);
  b.text.replace(at, e.length, text);
  const std::int64_t delta = static_cast<std::int64_t>(text.size()) - e.length;
  e.length = static_cast<std::uint32_t>(text.size());
  AdjustBlock(w.block, 0, delta, 0);
  SplitIfLarge(w.block);
}

void LineStore::ReplaceInLine(int i, std::size_t at, std::size_t count, std::string_view text) {
  if (i < 0 || i >= count_) return;
  const Where w = Locate(i);
  Block& b = blocks_[static_cast<std::size_t>(w.block)];
  const std::shared_ptr<SharedText> keep = b.shared;  // `text` may lie in it
  b.Own();
  Entry& e = b.entries[static_cast<std::size_t>(w.index)];
  at = std::min<std::size_t>(at, e.length);
  count = std::min<std::size_t>(count, e.length - at);
  if (i != watch_.line || at < watch_.bytes) EndWatch();
  const std::size_t start = ByteOffsetInBlock(b, w.index) + at;
  if (b.marks >= 0) {
    b.marks += static_cast<std::int64_t>(CountMarkBytes(text)) -
               static_cast<std::int64_t>(CountMarkBytes(std::string_view(b.text).substr(start, count)));
  }
  MakeRoom(b.text, b.text.size() - count + text.size(), text);
  b.text.replace(start, count, text);
  const std::int64_t delta = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(count);
  e.length = static_cast<std::uint32_t>(e.length + delta);
  AdjustBlock(w.block, 0, delta, 0);
  SplitIfLarge(w.block);
}

void LineStore::Insert(int at, std::string_view text) { InsertEntries(at, {text}, Entry{}); }

void LineStore::InsertLines(int at, const std::vector<std::string_view>& lines) {
  if (!lines.empty()) InsertEntries(at, lines, Entry{});
}

void LineStore::InsertWithRecord(int at, std::string_view text, TStringParams params) {
  Entry proto;
  proto.hasRecord = 1;
  proto.lineFlag = params.LineFlag;
  proto.startState = params.StartState;
  InsertEntries(at, {text}, proto);
}

void LineStore::InsertWithRecords(int at, const std::vector<std::string_view>& lines, TStringParams params) {
  if (lines.empty()) return;
  Entry proto;
  proto.hasRecord = 1;
  proto.lineFlag = params.LineFlag;
  proto.startState = params.StartState;
  InsertEntries(at, lines, proto);
}

void LineStore::InsertBlockList(int at, std::vector<Block> fresh, int lines) {
  const Where w = Locate(at);
  Block& left = blocks_[static_cast<std::size_t>(w.block)];
  Block right;
  if (static_cast<std::size_t>(w.index) < left.Lines()) {
    left.Own();
    const std::size_t cut = ByteOffsetInBlock(left, w.index);
    right.text.assign(left.text, cut, std::string::npos);
    left.text.resize(cut);
    left.marks = -1;
    right.entries.assign(left.entries.begin() + w.index, left.entries.end());
    left.entries.resize(static_cast<std::size_t>(w.index));
    for (const Entry& e : right.entries) {
      right.weight += EntryWeight(e);
      right.soft += e.lineFlag ? 1 : 0;
    }
    left.weight -= right.weight;
    left.soft -= right.soft;
  }
  if (!right.entries.empty()) fresh.push_back(std::move(right));
  auto pos = blocks_.begin() + w.block + 1;
  if (left.Lines() == 0) pos = blocks_.erase(blocks_.begin() + w.block);
  blocks_.insert(pos, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  count_ += lines;
  RebuildIndex();
}

void LineStore::InsertBlocks(int at, const std::vector<std::string_view>& lines, const Entry& proto) {
  // Many lines at once (a whole document): cut the block at the insertion point and lay the new lines
  // straight into fresh blocks, so every byte is copied once.
  std::vector<Block> fresh;
  std::size_t k = 0;
  while (k < lines.size()) {
    Block part;
    std::size_t bytes = 0, end = k;
    while (end < lines.size() && end - k < TargetLines && (end == k || bytes + lines[end].size() <= TargetBytes)) {
      bytes += lines[end].size();
      ++end;
    }
    part.text.reserve(bytes);
    part.entries.reserve(end - k);
    for (; k < end; ++k) {
      Entry e = proto;
      e.length = static_cast<std::uint32_t>(lines[k].size());
      part.text.append(lines[k]);
      part.weight += EntryWeight(e);
      part.soft += e.lineFlag ? 1 : 0;
      part.entries.push_back(e);
    }
    fresh.push_back(std::move(part));
  }
  InsertBlockList(at, std::move(fresh), static_cast<int>(lines.size()));
}

namespace {
// Where the piece of text that starts at `from` ends, and where the next one starts.
struct Piece {
  std::size_t end;
  std::size_t next;  // text.size() + 1 after the last piece
};
Piece NextPiece(std::string_view text, std::size_t from) {
  const void* cr = std::memchr(text.data() + from, '\r', text.size() - from);
  if (cr == nullptr) return {text.size(), text.size() + 1};
  const auto end = static_cast<std::size_t>(static_cast<const char*>(cr) - text.data());
  return {end, end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1};
}
}  // namespace

int LineStore::InsertBrokenText(int at, std::string_view text, std::string* owner,
                                const std::function<void(SharedRun)>& onLayout) {
  if (at < 0 || at > count_) return 0;
  const std::size_t breaks = CountByte(text, '\r');
  if (breaks < MaxLines) {
    std::vector<std::string_view> lines;
    lines.reserve(breaks + 1);
    for (std::size_t from = 0; from <= text.size();) {
      const Piece piece = NextPiece(text, from);
      lines.push_back(text.substr(from, piece.end - from));
      from = piece.next;
    }
    InsertEntries(at, lines, Entry{});
    return static_cast<int>(lines.size());
  }
  EndWatch();
  // The lines are laid end to end without their breaks, in the owner's own buffer (each moves towards
  // the front, never past bytes not read yet) or in one new buffer.
  auto shared = std::make_shared<SharedText>();
  std::size_t offset = 0;
  const bool inPlace = owner != nullptr && !owner->empty() && text.data() >= owner->data() &&
                       text.data() + text.size() <= owner->data() + owner->size();
  if (inPlace) {
    offset = static_cast<std::size_t>(text.data() - owner->data());
    shared->bytes = std::move(*owner);
    owner->clear();
  } else {
    ReserveLarge(shared->bytes, text.size());
  }
  char* bytes = shared->bytes.data();
  const std::string_view source = inPlace ? std::string_view(bytes + offset, text.size()) : text;
  std::vector<Entry>& entries = shared->entries;
  entries.reserve(breaks + 1);
  AdviseLargeBuffer(entries.data(), entries.capacity() * sizeof(Entry));
  std::size_t written = 0;
  {
    // A reader following the layout reads only the lines published: nothing before `written` is written
    // again. The end is published however the loop is left, so that no reader waits for ever.
    struct Publish {
      SharedText& s;
      ~Publish() { Lines(SharedText::kLaidOut); }
      void Lines(std::uint64_t ended) const {
        s.laidOut.store(static_cast<std::uint64_t>(s.entries.size()) << 1 | ended, std::memory_order_release);
        s.laidOut.notify_all();
      }
    } publish{*shared};
    if (onLayout) {
      SharedRun run;
      run.text.text_ = shared;
      run.text.bytes_ = bytes;
      run.text.entries_ = entries.data();
      run.firstLine = at;
      run.lines = static_cast<int>(breaks + 1);
      run.bytes = text.size();
      onLayout(std::move(run));
    }
    constexpr std::size_t kPublishLines = 4096;
    for (std::size_t from = 0; from <= source.size();) {
      const Piece piece = NextPiece(source, from);
      const std::size_t length = piece.end - from;
      // In place each line moves towards the front; a copy is laid down line by line, in one pass.
      if (!inPlace) shared->bytes.append(source.data() + from, length);
      else if (written != offset + from) std::memmove(bytes + written, source.data() + from, length);
      written += length;
      Entry e;
      e.length = static_cast<std::uint32_t>(length);
      entries.push_back(e);
      from = piece.next;
      if (entries.size() % kPublishLines == 0) publish.Lines(0);
    }
    if (inPlace) shared->bytes.resize(written);
  }

  // Blocks of the same size as InsertBlocks makes, pointing into the shared text.
  std::vector<Block> fresh;
  std::size_t byte = 0;
  for (std::size_t k = 0; k < entries.size();) {
    Block part;
    if (entries[k].length >= RoomyLineBytes) {
      // A very long line is typed into as soon as it is loaded: it owns its bytes, with room to grow.
      std::string_view line = std::string_view(shared->bytes).substr(byte, entries[k].length);
      MakeRoom(part.text, line.size(), line);
      part.text.assign(line);
      part.entries.assign(1, entries[k]);
      part.weight = EntryWeight(entries[k]);
      byte += line.size();
      ++k;
      fresh.push_back(std::move(part));
      continue;
    }
    part.shared = shared;
    part.sharedByte = byte;
    part.sharedEntry = k;
    while (k < entries.size() && part.sharedLines < TargetLines &&
           (part.sharedLines == 0 || part.sharedBytes + entries[k].length <= TargetBytes)) {
      part.sharedBytes += entries[k].length;
      part.weight += EntryWeight(entries[k]);
      ++part.sharedLines;
      ++k;
    }
    byte += part.sharedBytes;
    fresh.push_back(std::move(part));
  }
  const auto lines = static_cast<int>(entries.size());
  InsertBlockList(at, std::move(fresh), lines);
  return lines;
}

void LineStore::InsertEntries(int at, const std::vector<std::string_view>& lines, const Entry& proto) {
  if (at < 0 || at > count_) return;
  EndWatch();
  if (lines.size() > MaxLines) {
    InsertBlocks(at, lines, proto);
    return;
  }
  const Where w = Locate(at);
  Block& b = blocks_[static_cast<std::size_t>(w.block)];
  const std::shared_ptr<SharedText> keep = b.shared;  // the lines may lie in it
  b.Own();
  std::size_t total = 0;
  for (auto s : lines) total += s.size();
  std::string joined;
  joined.reserve(total);
  std::vector<Entry> added(lines.size(), proto);
  std::int64_t weight = 0;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    joined.append(lines[k]);
    added[k].length = static_cast<std::uint32_t>(lines[k].size());
    weight += EntryWeight(added[k]);
  }
  const int soft = proto.lineFlag ? static_cast<int>(lines.size()) : 0;
  if (b.marks >= 0) b.marks += static_cast<std::int64_t>(CountMarkBytes(joined));
  b.text.insert(ByteOffsetInBlock(b, w.index), joined);
  b.entries.insert(b.entries.begin() + w.index, added.begin(), added.end());
  AdjustBlock(w.block, static_cast<int>(lines.size()), weight, soft);
  SplitIfLarge(w.block);
}

bool LineStore::SplitIfLarge(int block) {
  Block& b = blocks_[static_cast<std::size_t>(block)];
  if (b.Lines() <= MaxLines && (b.Bytes().size() <= MaxBytes || b.Lines() < 2)) return false;
  b.Own();
  std::vector<Block> parts;
  std::size_t k = 0;
  std::size_t byte = 0;
  while (k < b.entries.size()) {
    Block part;
    const std::size_t from = byte;
    while (k < b.entries.size() && part.entries.size() < TargetLines &&
           (part.entries.empty() || byte - from + b.entries[k].length <= TargetBytes)) {
      part.entries.push_back(b.entries[k]);
      part.weight += EntryWeight(b.entries[k]);
      part.soft += b.entries[k].lineFlag ? 1 : 0;
      byte += b.entries[k].length;
      ++k;
    }
    part.text.assign(b.text, from, byte - from);
    parts.push_back(std::move(part));
  }
  blocks_.erase(blocks_.begin() + block);
  blocks_.insert(blocks_.begin() + block, std::make_move_iterator(parts.begin()),
                 std::make_move_iterator(parts.end()));
  RebuildIndex();
  return true;
}

void LineStore::Delete(int i) { DeleteRange(i, i); }

void LineStore::DeleteRange(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, count_ - 1);
  if (first > last) return;
  EndWatch();
  const Where from = Locate(first);
  const Where to = Locate(last);
  if (from.block == to.block && blocks_[static_cast<std::size_t>(from.block)].Lines() >
                                     static_cast<std::size_t>(to.index - from.index + 1)) {
    // The common case: a few lines inside one block that keeps some lines.
    Block& b = blocks_[static_cast<std::size_t>(from.block)];
    b.Own();
    const std::size_t start = ByteOffsetInBlock(b, from.index);
    std::size_t bytes = 0;
    std::int64_t weight = 0;
    int soft = 0;
    for (int k = from.index; k <= to.index; ++k) {
      bytes += b.entries[static_cast<std::size_t>(k)].length;
      weight += EntryWeight(b.entries[static_cast<std::size_t>(k)]);
      soft += b.entries[static_cast<std::size_t>(k)].lineFlag ? 1 : 0;
    }
    if (b.marks >= 0) b.marks -= static_cast<std::int64_t>(CountMarkBytes(std::string_view(b.text).substr(start, bytes)));
    b.text.erase(start, bytes);
    b.entries.erase(b.entries.begin() + from.index, b.entries.begin() + to.index + 1);
    AdjustBlock(from.block, -(to.index - from.index + 1), -weight, -soft);
    return;
  }
  for (int bi = to.block; bi >= from.block; --bi) {
    Block& b = blocks_[static_cast<std::size_t>(bi)];
    const int lo = bi == from.block ? from.index : 0;
    const int hi = bi == to.block ? to.index : static_cast<int>(b.Lines()) - 1;
    if (lo == 0 && hi == static_cast<int>(b.Lines()) - 1 && blocks_.size() > 1) {
      // The whole block goes, its bytes uncopied (deleting a whole document frees its shared text).
      count_ -= hi + 1;
      blocks_.erase(blocks_.begin() + bi);
      continue;
    }
    b.Own();
    const std::size_t start = ByteOffsetInBlock(b, lo);
    std::size_t bytes = 0;
    for (int k = lo; k <= hi; ++k) {
      bytes += b.entries[static_cast<std::size_t>(k)].length;
      b.weight -= EntryWeight(b.entries[static_cast<std::size_t>(k)]);
      b.soft -= b.entries[static_cast<std::size_t>(k)].lineFlag ? 1 : 0;
    }
    b.text.erase(start, bytes);
    b.marks = -1;
    b.entries.erase(b.entries.begin() + lo, b.entries.begin() + hi + 1);
    count_ -= hi - lo + 1;
    if (b.entries.empty() && blocks_.size() > 1) blocks_.erase(blocks_.begin() + bi);
  }
  RebuildIndex();
}

void LineStore::Clear() {
  EndWatch();
  blocks_.clear();
  blocks_.emplace_back();
  count_ = 0;
  RebuildIndex();
}

bool LineStore::HasRecord(int i) const {
  if (i < 0 || i >= count_) return false;
  const Where w = Locate(i);
  return blocks_[static_cast<std::size_t>(w.block)].Entries()[static_cast<std::size_t>(w.index)].hasRecord != 0;
}

TStringParams LineStore::Params(int i) const {
  if (i < 0 || i >= count_) return {};
  const Where w = Locate(i);
  const Entry& e = blocks_[static_cast<std::size_t>(w.block)].Entries()[static_cast<std::size_t>(w.index)];
  if (!e.hasRecord) return {};
  return TStringParams{e.lineFlag, e.startState};
}

void LineStore::SetParams(int i, TStringParams params) {
  if (i < 0 || i >= count_) return;
  const Where w = Locate(i);
  Entry& e = blocks_[static_cast<std::size_t>(w.block)].Entries()[static_cast<std::size_t>(w.index)];
  const std::int64_t before = EntryWeight(e);
  const int softBefore = e.lineFlag ? 1 : 0;
  e.hasRecord = 1;
  e.lineFlag = params.LineFlag;
  e.startState = params.StartState;
  const int softAfter = e.lineFlag ? 1 : 0;
  if (EntryWeight(e) != before || softAfter != softBefore) {
    AdjustBlock(w.block, 0, EntryWeight(e) - before, softAfter - softBefore);
  }
}

void LineStore::SetLineFlag(int i, std::uint8_t flag) {
  TStringParams p = Params(i);
  p.LineFlag = flag;
  SetParams(i, p);
}

void LineStore::SetStartState(int i, std::uint16_t state) {
  TStringParams p = Params(i);
  p.StartState = state;
  SetParams(i, p);
}

void LineStore::ClearStartStates(int first) {
  if (count_ == 0) return;
  const Where w = Locate(std::clamp(first, 0, count_ - 1));
  for (std::size_t b = static_cast<std::size_t>(w.block); b < blocks_.size(); ++b) {
    const std::span<Entry> entries = blocks_[b].Entries();
    for (std::size_t k = b == static_cast<std::size_t>(w.block) ? static_cast<std::size_t>(w.index) : 0;
         k < entries.size(); ++k) {
      if (entries[k].hasRecord) entries[k].startState = 0;
    }
  }
}

void LineStore::RemoveRecord(int i) {
  if (i < 0 || i >= count_) return;
  SetParams(i, TStringParams{});
  const Where w = Locate(i);
  blocks_[static_cast<std::size_t>(w.block)].Entries()[static_cast<std::size_t>(w.index)].hasRecord = 0;
}

std::int64_t LineStore::OffsetOfLine(int i) const {
  if (i <= 0) return 0;
  if (i >= count_) return PrefixWeight(static_cast<int>(blocks_.size()));
  const Where w = Locate(i);
  const Block& b = blocks_[static_cast<std::size_t>(w.block)];
  std::int64_t off = PrefixWeight(w.block);
  for (int k = 0; k < w.index; ++k) off += EntryWeight(b.Entries()[static_cast<std::size_t>(k)]);
  return off;
}

int LineStore::FirstLineStartingAtOrAfter(std::int64_t offset) const {
  if (offset <= 0 || count_ == 0) return 0;
  // The last block that starts before the offset holds the answer, or the answer opens the next block.
  const std::size_t n = blocks_.size();
  std::size_t pos = 0;
  std::int64_t acc = 0;
  std::size_t step = 1;
  while (step * 2 <= n) step *= 2;
  for (; step > 0; step /= 2) {
    if (pos + step <= n && acc + fenWeight_[pos + step] < offset) {
      pos += step;
      acc += fenWeight_[pos];
    }
  }
  if (pos >= n) return count_;
  const Block& b = blocks_[pos];
  int line = PrefixLines(static_cast<int>(pos));
  for (const Entry& e : b.Entries()) {
    if (acc >= offset) return line;
    acc += EntryWeight(e);
    ++line;
  }
  return line;
}

int LineStore::SoftBreaksBefore(int i) const {
  if (i <= 0) return 0;
  if (i >= count_) {
    int sum = 0;
    for (auto k = fenSoft_.size() - 1; k > 0; k -= LowBit(k)) sum += fenSoft_[k];
    return sum;
  }
  const Where w = Locate(i);
  int sum = 0;
  for (auto k = static_cast<std::size_t>(w.block); k > 0; k -= LowBit(k)) sum += fenSoft_[k];
  const Block& b = blocks_[static_cast<std::size_t>(w.block)];
  for (int k = 0; k < w.index; ++k) sum += b.Entries()[static_cast<std::size_t>(k)].lineFlag ? 1 : 0;
  return sum;
}

std::string LineStore::Text() const {
  std::string out;
  ReserveLarge(out, static_cast<std::size_t>(std::max<std::int64_t>(TextLength(), 0)));
  int line = 0;
  for (const Block& b : blocks_) {
    std::size_t off = 0;
    for (const Entry& e : b.Entries()) {
      out.append(b.Bytes().substr(off, e.length));
      off += e.length;
      ++line;
      if (e.lineFlag == 0 && line < count_) out += "\r\n";
    }
  }
  return out;
}

std::int64_t LineStore::TextLength() const {
  if (count_ == 0) return 0;
  const std::int64_t total = PrefixWeight(static_cast<int>(blocks_.size()));
  return total - (LineFlag(count_ - 1) == 0 ? 2 : 0);
}

std::uint64_t LineStore::Watch(int line, std::size_t bytes) {
  watch_ = {watch_.id + 1, line, bytes, line >= 0 && line < count_};
  return watch_.id;
}

std::int64_t LineStore::MarkBytesBefore(int i) const {
  if (i <= 0 || count_ == 0) return 0;
  const auto counted = [](const Block& b) {
    if (b.marks < 0) b.marks = static_cast<std::int64_t>(CountMarkBytes(b.Bytes()));
    return b.marks;
  };
  std::int64_t sum = 0;
  if (i >= count_) {
    for (const Block& b : blocks_) sum += counted(b);
    return sum;
  }
  const Where w = Locate(i);
  for (int k = 0; k < w.block; ++k) sum += counted(blocks_[static_cast<std::size_t>(k)]);
  const Block& b = blocks_[static_cast<std::size_t>(w.block)];
  return sum + static_cast<std::int64_t>(CountMarkBytes(b.Bytes().substr(0, ByteOffsetInBlock(b, w.index))));
}
