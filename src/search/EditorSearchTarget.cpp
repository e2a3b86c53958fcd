#include "search/EditorSearchTarget.h"

#include <algorithm>

// Copying the whole text of a large document costs more than searching it (a fresh string of that
// size is paged in anew every time). So the text is put together a chunk of lines at a time, in one
// buffer, with the last needle-length-less-one bytes carried over so a hit across chunks is found.
std::size_t EditorSearchTarget::FindForward(std::string_view needle, std::size_t from, bool matchCase) const {
  const LineStore& lines = editor_.Lines();
  const int count = lines.Count();
  if (needle.empty() || from > static_cast<std::size_t>(std::max<std::int64_t>(lines.TextLength(), 0)))
    return std::string_view::npos;
  const auto offset = static_cast<std::int64_t>(from);
  // The line that holds `from` (or ends just before it).
  int line = lines.FirstLineStartingAtOrAfter(offset);
  if (line > 0 && (line == count || lines.OffsetOfLine(line) > offset)) --line;
  std::int64_t chunkStart = lines.OffsetOfLine(line);
  std::string chunk;
  chunk.reserve(chunkBytes_ + needle.size());
  for (;;) {
    for (; line < count && chunk.size() < chunkBytes_; ++line) {
      chunk += lines.Line(line);
      if (lines.LineFlag(line) == 0 && line + 1 < count) chunk += "\r\n";
    }
    const std::size_t startIn = static_cast<std::size_t>(std::max<std::int64_t>(offset - chunkStart, 0));
    const std::size_t hit = SearchForward(chunk, needle, startIn, matchCase);
    if (hit != std::string_view::npos) return static_cast<std::size_t>(chunkStart) + hit;
    if (line >= count) return std::string_view::npos;
    const std::size_t keep = std::min(chunk.size(), needle.size() - 1);
    chunkStart += static_cast<std::int64_t>(chunk.size() - keep);
    chunk.erase(0, chunk.size() - keep);
  }
}
