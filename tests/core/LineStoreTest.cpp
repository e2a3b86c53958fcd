#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/ForeignMarks.h"
#include "editor/LineStore.h"

namespace {

// A plain model of the store: one string and one flag per line.
struct ModelLine { std::string text; int flag = 0; };

std::int64_t ModelOffset(const std::vector<ModelLine>& m, int line) {
  std::int64_t off = 0;
  for (int i = 0; i < line; ++i) off += static_cast<std::int64_t>(m[i].text.size()) + (m[i].flag ? 0 : 2);
  return off;
}

void ExpectSame(const LineStore& s, const std::vector<ModelLine>& m) {
  ASSERT_EQ(s.Count(), static_cast<int>(m.size()));
  std::string text;
  int soft = 0;
  for (std::size_t i = 0; i < m.size(); ++i) {
    ASSERT_EQ(s.SoftBreaksBefore(static_cast<int>(i)), soft) << "line " << i;
    soft += m[i].flag;
    ASSERT_EQ(s.Line(static_cast<int>(i)), m[i].text) << "line " << i;
    ASSERT_EQ(s.LineFlag(static_cast<int>(i)), m[i].flag) << "line " << i;
    ASSERT_EQ(s.OffsetOfLine(static_cast<int>(i)), ModelOffset(m, static_cast<int>(i)));
    text += m[i].text;
    if (m[i].flag == 0 && i + 1 < m.size()) text += "\r\n";
  }
  for (int i = 0; i <= static_cast<int>(m.size()); i += 1 + i / 3) {
    std::int64_t marks = 0;
    for (int k = 0; k < i; ++k) marks += std::count(m[k].text.begin(), m[k].text.end(), kMarkByte);
    ASSERT_EQ(s.MarkBytesBefore(i), marks) << "line " << i;
  }
  EXPECT_EQ(s.Text(), text);
  // Backwards one by one, as a search for an earlier character reads them.
  for (int i = static_cast<int>(m.size()) - 1; i >= 0; --i) ASSERT_EQ(s.Line(i), m[static_cast<std::size_t>(i)].text);
  EXPECT_EQ(s.TextLength(), static_cast<std::int64_t>(text.size()));
  int lastNonEmpty = -1;
  for (int i = 0; i <= static_cast<int>(m.size()); ++i) {
    ASSERT_EQ(s.LastNonEmptyBefore(i), lastNonEmpty) << "line " << i;
    if (i < static_cast<int>(m.size()) && !m[static_cast<std::size_t>(i)].text.empty()) lastNonEmpty = i;
  }
}

TEST(LineStore, RandomEditsMatchAPlainModelAcrossBlockSplits) {
  std::mt19937 rng(7);
  LineStore s;
  std::vector<ModelLine> m;
  auto word = [&] {
    const std::size_t length = rng() % 40;  // drawn first: argument order is the compiler's
    return std::string(length, rng() % 8 ? static_cast<char>('a' + rng() % 26) : kMarkByte);
  };
  for (int step = 0; step < 6000; ++step) {
    const int n = static_cast<int>(m.size());
    switch (rng() % 6) {
      case 0:
      case 1: {
        const int at = n ? static_cast<int>(rng() % (n + 1)) : 0;
        std::vector<std::string> owned(1 + rng() % (step % 500 == 0 ? 900 : 3));
        std::vector<std::string_view> views;
        for (auto& o : owned) o = word();
        for (auto& o : owned) views.push_back(o);
        if (rng() % 2) {
          s.InsertLines(at, views);
        } else {
          // The same lines as one text cut at its breaks: a long one is kept in a buffer that the
          // blocks share until the edits below give them copies of their own.
          std::string joined = "..";
          for (std::size_t k = 0; k < owned.size(); ++k) joined += (k ? (rng() % 2 ? "\r\n" : "\r") : "") + owned[k];
          std::string owner = joined;
          ASSERT_EQ(s.InsertBrokenText(at, std::string_view(owner).substr(2), rng() % 2 ? &owner : nullptr),
                    static_cast<int>(owned.size()));
        }
        for (std::size_t k = 0; k < owned.size(); ++k) m.insert(m.begin() + at + static_cast<int>(k), {owned[k], 0});
        break;
      }
      case 2:
        if (n && rng() % 2) {
          const int i = static_cast<int>(rng() % n);
          const std::string w = word();
          s.SetLine(i, w);
          m[i].text = w;
        } else if (n) {
          // In place, with positions and counts past the line's end clamped to it.
          const int i = static_cast<int>(rng() % n);
          const std::size_t at = rng() % (m[i].text.size() + 3), count = rng() % 6;
          const std::string w = word().substr(0, rng() % 4);
          s.ReplaceInLine(i, at, count, w);
          const std::size_t from = std::min(at, m[i].text.size());
          m[i].text.replace(from, std::min(count, m[i].text.size() - from), w);
        }
        break;
      case 3:
        if (n) {
          const int a = static_cast<int>(rng() % n);
          const int b = std::min(n - 1, a + static_cast<int>(rng() % (step % 300 == 0 ? 700 : 3)));
          s.DeleteRange(a, b);
          m.erase(m.begin() + a, m.begin() + b + 1);
        }
        break;
      default:
        if (n) {
          const int i = static_cast<int>(rng() % n);
          const int f = static_cast<int>(rng() % 2);
          s.SetLineFlag(i, static_cast<std::uint8_t>(f));
          m[i].flag = f;
        }
        break;
    }
    if (step % 250 == 0) ExpectSame(s, m);
  }
  ExpectSame(s, m);
  // Every offset maps to the first line that starts at or after it.
  const std::int64_t total = ModelOffset(m, static_cast<int>(m.size()));
  for (std::int64_t off = 0; off <= total + 1; off += 1 + off / 50) {
    int expect = 0;
    while (expect < static_cast<int>(m.size()) && ModelOffset(m, expect) < off) ++expect;
    ASSERT_EQ(s.FirstLineStartingAtOrAfter(off), expect) << off;
  }
}

// A loaded line of a megabyte or more gets a block of its own between blocks that share the loaded text;
// edits that grow it past its spare room insert bytes read from the line itself.
TEST(LineStore, VeryLongLinesBetweenSharedBlocksMatchAPlainModel) {
  std::vector<ModelLine> m;
  std::string joined;
  for (int k = 0; k < 1400; ++k) {
    std::string text = k == 700 ? std::string(LineStore::RoomyLineBytes + 5, 'x') : std::string(k % 3 ? 0 : 1 + k % 7, 'a' + k % 26);
    joined += (k ? "\r\n" : "") + text;
    m.push_back({text, 0});
  }
  LineStore s;
  ASSERT_EQ(s.InsertBrokenText(0, joined, &joined), 1400);
  ExpectSame(s, m);
  for (int i = 0; i + 1 < s.Count(); ++i) {
    (void)s.Line(i);
    ASSERT_EQ(s.Length(i + 1), static_cast<int>(m[static_cast<std::size_t>(i) + 1].text.size())) << i;
  }
  std::string& big = m[700].text;
  for (int round = 0; round < 3; ++round) {
    const std::size_t at = 1 + round * 1000, from = 2 + round, count = 300000;
    s.ReplaceInLine(700, at, 0, s.Line(700).substr(from, count));
    big.insert(at, big.substr(from, count));
    s.ReplaceInLine(700, big.size() / 2, 1, "<>");
    big.replace(big.size() / 2, 1, "<>");
  }
  ExpectSame(s, m);
}

// Long runs of empty lines fill whole blocks, which the search for the last non-empty line passes at once.
TEST(LineStore, LastNonEmptyLineAcrossBlocksOfEmptyLines) {
  std::vector<ModelLine> m;
  for (const int run : {0, 1, 2000, 3, 700, 1300})
    for (int k = 0; k <= run; ++k) m.push_back({k == run ? "x" : "", 0});
  m.resize(m.size() + 900);
  LineStore s;
  for (std::size_t at = 0; at < m.size(); at += 1000) {
    std::vector<std::string_view> views;
    for (std::size_t k = at; k < std::min(at + 1000, m.size()); ++k) views.push_back(m[k].text);
    s.InsertLines(static_cast<int>(at), views);
  }
  ExpectSame(s, m);
}

TEST(LineStore, RecordsAreOptionalAndOutOfRangeReadsAreEmpty) {
  LineStore s;
  s.Insert(0, "cd");
  s.InsertWithRecord(0, "ab", TStringParams{1, 0x82});
  EXPECT_EQ(std::pair(s.HasRecord(0), s.HasRecord(1)), std::pair(true, false));
  EXPECT_EQ(s.StartState(0), 0x82);
  EXPECT_EQ(s.Text(), "abcd");  // a soft break adds nothing
  s.SetStartState(1, 5);
  EXPECT_EQ(std::tuple(s.HasRecord(1), s.LineFlag(1)), std::tuple(true, 0));
  s.ClearStartStates(0);  // the states only
  EXPECT_EQ(std::tuple(s.StartState(0), s.StartState(1), s.LineFlag(0)), std::tuple(0, 0, 1));
  EXPECT_FALSE(s.HasRecord(-1));
  s.RemoveRecord(0);
  EXPECT_FALSE(s.HasRecord(0));
  EXPECT_EQ(s.Text(), "ab\r\ncd");
  EXPECT_EQ(std::tuple(s.Line(-1), s.Line(2), s.Params(9).LineFlag), std::tuple("", "", 0));
  s.SetLine(5, "x");  // ignored
  EXPECT_EQ(s.Count(), 2);
}

}  // namespace
