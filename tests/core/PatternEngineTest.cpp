#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/TPatternEngine.h"

namespace {

// position: the 1-based first hit, 0 for none.
struct PatternCase { std::string pattern, text; int position, length; const char* error = nullptr; };

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

TEST(PatternEngine, FindsTheFirstHitOrReportsTheError) {
  const std::vector<PatternCase> cases = {
      {"a+b", "xaaab", 2, 4},
      {"{ab}+c", "ababc", 1, 5},
      {"{ab}+", "abababx", 1, 6},
      {"a*b", "ab", 0, 0},          // "*" takes at least one character
      {"a*b", "axxb", 1, 4},
      {"a*b", "axbxb", 1, 3},       // and stops as soon as what follows can start
      {"a*b", "a\r\nb", 1, 4},      // line breaks are in AnyChar: a hit may span lines
      {"a?c", "a1c a-c axc", 9, 3}, // digits and "-" are not
      {"a[0-9]c", "a1c", 1, 3},
      {"[^a]", "a1ab", 4, 1},       // AnyChar minus a: never a digit
      {"[^a-c]x", "bxdx", 3, 2},
      {"[a-c-e]", "xd", 2, 1},      // the range start stays pending
      {"[\\]\\-]", "a-", 2, 1},
      {"x\\*", "x ax*", 4, 2},
      {"<h[1-6]>", "<p><h2>", 4, 4},
      {"abc*", "abcdef", 0, 0},     // a "*" at the end never stops
      {"a{b*}+", "abxxx", 0, 0},    // nor before a group marker
      {"\xB3\xF3" "d\x9F", "\xA3\xF3" "d\x9F \xB3\xF3" "d\x9F", 6, 4},  // bytes above 127, case kept
      {"a?", "a\xB3 a\xB9", 4, 2},  // "?" takes ą but not ł
      {"(a|b).$^]", "(a|b).$^]", 1, 9},
      // Bad input: nothing matches, or an error.
      {"", "abc", 0, 0},
      {"{}{}", "abc", 0, 0},        // markers only: zero-length matches are skipped
      {"\\", "\\", 0, 0},           // a lone "\" adds nothing
      {"a[-b]", "xa", 0, 0},        // no set reaches code 0, which lies past the end of the text
      {"[^b]", std::string("a\0b", 3), 1, 1},
      {"a[^b]", std::string("a\0", 2), 0, 0},
      {"+a", "a", 0, 0, kPatternErrorPlusFirst},
      {"}", "a", 0, 0, kPatternErrorUnexpectedClose},
      {"{a}}", "a", 0, 0, kPatternErrorUnexpectedClose},
      {"[abc", "a", 0, 0, kPatternErrorOpenSet},
      {"[a-]", "a", 0, 0, kPatternErrorOpenSet},
      {"[\\", "a", 0, 0, kPatternErrorOpenSet},
      {Repeat("{", 255) + "a" + Repeat("}", 255), "xa", 2, 1},
      {Repeat("{", 256), "a", 0, 0, kPatternErrorTooDeep},
      {Repeat("{", 300) + Repeat("}", 300), "a", 0, 0, kPatternErrorTooDeep},
  };
  for (const PatternCase& c : cases) {
    SCOPED_TRACE("pattern " + c.pattern + " in " + c.text);
    TPatternEngine engine;
    const auto error = engine.Compile(c.pattern);
    if (c.error != nullptr) {
      ASSERT_TRUE(error.has_value());
      EXPECT_EQ(*error, c.error);
      EXPECT_EQ(engine.Nodes().size(), 1u);
      continue;
    }
    ASSERT_FALSE(error.has_value()) << *error;
    const auto hit = engine.Find(c.text, 0, static_cast<int>(c.text.size()));
    EXPECT_EQ(hit ? std::pair(hit->Position, hit->Length) : std::pair(0, 0), std::pair(c.position, c.length));
  }
}

TEST(PatternEngine, LongRunsWithoutAHitTakeLinearTime) {
  // Each of these would retry the whole run from every start position without the failed-state memo.
  const std::string run(60000, 'a');
  for (const char* pattern : {"a*b", "a+b", "{a}+b", "a*", "?*?*b"}) {
    TPatternEngine engine;
    ASSERT_FALSE(engine.Compile(pattern));
    EXPECT_FALSE(engine.Find(run, 0, static_cast<int>(run.size()))) << pattern;
  }
  TPatternEngine engine;
  ASSERT_FALSE(engine.Compile("a+b"));
  EXPECT_EQ(engine.Find(run + "b", 0, static_cast<int>(run.size()) + 1)->Length, 60001);
}

// A reference matcher written from the rules for literals, "?", "*" and sets, over a pattern kept as
// a list of elements rather than compiled nodes, checked against the engine on random input.
namespace {

struct Element { TCharSet set; bool star = false; };

int ReferenceMatch(const std::vector<Element>& elements, const std::string& text, std::size_t start) {
  auto at = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; };
  std::size_t i = start;
  for (std::size_t k = 0; k < elements.size(); ++k) {
    if (!elements[k].set.test(at(i))) return -1;
    ++i;
    if (!elements[k].star) continue;
    // One or more, ending at the first character the next element accepts; never at the end.
    if (k + 1 == elements.size()) return -1;
    while (!elements[k + 1].set.test(at(i))) {
      if (!elements[k].set.test(at(i))) return -1;
      ++i;
    }
  }
  return static_cast<int>(i - start);
}

}  // namespace

TEST(PatternEngine, AgreesWithAReferenceMatcherOnRandomPatterns) {
  std::mt19937 rng(7);
  const std::string letters = "abx1 \r\n\xB9\xB3*";
  const std::string setChars = "abcx1";
  auto pick = [&](const std::string& from) { return from[rng() % from.size()]; };
  for (int round = 0; round < 3000; ++round) {
    std::string pattern;
    std::vector<Element> elements;
    for (int e = 0, count = 1 + static_cast<int>(rng() % 4); e < count; ++e) {
      Element element;
      switch (rng() % 5) {
        case 0:
        case 1:
          pattern += "?*"[rng() % 2];
          element = {AnyChar(), pattern.back() == '*'};
          break;
        case 2: {
          const bool negated = rng() % 3 == 0;
          pattern += negated ? "[^" : "[";
          TCharSet listed;
          for (int item = 0, items = 1 + static_cast<int>(rng() % 3); item < items; ++item) {
            char lo = pick(setChars);
            if (rng() % 2 == 0) {
              listed.set(static_cast<unsigned char>(lo));
              pattern += lo;
            } else {
              char hi = pick(setChars);
              if (lo > hi) std::swap(lo, hi);
              for (int c = static_cast<unsigned char>(lo); c <= static_cast<unsigned char>(hi); ++c)
                listed.set(static_cast<std::size_t>(c));
              pattern += std::string{lo, '-', hi};
            }
            pattern += (rng() % 2 == 0) ? "" : "\\-";  // an escaped "-" is a plain member
            if (pattern.back() == '-') listed.set('-');
          }
          pattern += ']';
          element.set = negated ? AnyChar() & ~listed : listed;
          break;
        }
        default: {
          const char c = pick(letters);
          if (c == '*') pattern += '\\';
          pattern += c;
          element.set.set(static_cast<unsigned char>(c));
        }
      }
      elements.push_back(element);
    }
    std::string text;
    for (int i = 0, n = static_cast<int>(rng() % 12); i < n; ++i) text += pick(letters);

    TPatternEngine engine;
    ASSERT_FALSE(engine.Compile(pattern)) << pattern;
    int expectedPosition = 0, expectedLength = 0;
    for (std::size_t s = 0; s <= text.size() && expectedPosition == 0; ++s) {
      if (const int length = ReferenceMatch(elements, text, s); length > 0) {
        expectedPosition = static_cast<int>(s) + 1;
        expectedLength = length;
      }
    }
    const auto hit = engine.Find(text, 0, static_cast<int>(text.size()));
    ASSERT_EQ(hit ? std::pair(hit->Position, hit->Length) : std::pair(0, 0), std::pair(expectedPosition, expectedLength))
        << "pattern " << pattern << " text " << text;
  }
}
