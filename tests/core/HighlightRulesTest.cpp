// The colour of every character of a few tricky lines per language, written out by hand from the
// language rules: keywords only as whole words starting after a non-letter, comments, strings, tags.
// One letter per character: T text, K keyword, C comment, c line comment or declaration, O operator,
// S double-quoted, s single-quoted, G tag or variable, P unquoted value; '+' marks embedded script.
#include <gtest/gtest.h>

#include "HighlightTestDriver.h"

namespace {

std::string Mask(const std::vector<TTokenFlags>& flags) {
  static const std::pair<TTokenFlags, char> letters[] = {
      {tfKeyword, 'K'}, {tfComment, 'C'}, {tfComment2, 'c'}, {tfOperator, 'O'}, {tfLongParam, 'S'},
      {tfLongParam1, 's'}, {tfTag, 'G'}, {tfShortParam, 'P'}, {tfText, 'T'}};
  std::string out;
  for (TTokenFlags f : flags) {
    char c = '?';
    for (const auto& [flag, letter] : letters)
      if (f & flag) {
        c = letter;
        break;
      }
    out += c;
    if (f & tfScript) out += '+';
  }
  return out;
}

TEST(HighlightRules, EachCharacterHasTheColourOfItsLanguageRule) {
  const struct {
    TColorStyle style;
    const char* line;
    const char* mask;
  } cases[] = {
      {{csC}, "print myint int", "TTTTTTTTTTTTKKK"},
      {{csC}, "INT x; // int", "KKKTTTTTccccc"},
      {{csC}, "SIZEOF", "KKKKKK"},
      {{csC}, "a /* int */ \"int\" 'x'", "TTTCCCCCCCTTSSSSSTsss"},
      {{csPascal}, "xbegin begin BEGINNER { end } 'end'", "TTTTTTTKKKKKTTTTTTTTTTCCCCCCTTsssss"},
      {{csPerl}, "print printf myprint $print # if", "KKKKKTTTTTTTTTTTTTTTTGGGGGGTcccc"},
      {{csPerl}, "$s = \"a#b\"; x", "GGTOTSSSSSTTT"},
      {{csPhp}, "echo myecho echoes $echo", "KKKKTTTTTTTTTTTTTTTGGGGG"},
      {{csHTML}, "<b x=1 y=\"z\">if</b> <!-- var avar -->", "GGGGPPGGPSSSGTTGGGGTGcCCCKKKCCCCCCCCG"},
      {{csCSS}, "a { color: red; }", "TTTGGGGGGPPPPPGGT"},
      {{csHTML}, "<!DOCTYPE a-b> x", "Gccccccccccccccc"},  // a declaration ends after a quote or "?" only
      {{csHTML}, "<p a==b><? if ($x) echo 'y'; ?>", "GGGGPPPGGT+T+K+K+T+T+G+G+T+T+K+K+K+K+T+s+s+s+T+T+T+T"},
  };
  for (const auto& c : cases) EXPECT_EQ(Mask(hltest::Attributes(c.style, {c.line})[0]), c.mask) << c.line;
}

}  // namespace
