// Golden token files: each sample document under tests/data/highlight is painted and its tokens compared
// with the reviewed listing next to it (<sample>.tokens). QUILL_UPDATE_GOLDEN=1 rewrites the listings;
// a rewritten listing must be reviewed by hand before it is committed.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "HighlightTestDriver.h"
#include "fakes/TestFiles.h"
#include "highlight/HighlighterFactory.h"

using hltest::PaintedToken;

namespace {

struct Sample {
  const char* file;
  TColorStyle style;
  bool plainText = false;
};

const Sample Samples[] = {
    {"text.txt", {csPlain}, true},     {"page.html", {csHTML}},     {"embedded.php.html", {csHTML, csPhp}},
    {"script.pl", {csPerl}},           {"script.php", {csPhp}},     {"unit.pas", {csPascal}},
    {"program.cpp", {csC}},            {"style.css", {csCSS}},
};

std::string FlagNames(TTokenFlags f) {
  static const std::pair<TTokenFlags, const char*> names[] = {
      {tfText, "Text"},       {tfShortParam, "ShortParam"}, {tfLongParam, "LongParam"}, {tfLongParam1, "LongParam1"},
      {tfComment, "Comment"}, {tfComment2, "Comment2"},     {tfTag, "Tag"},             {tfSelected, "Selected"},
      {tfKeyword, "Keyword"}, {tfOperator, "Operator"},     {tfScript, "Script"},       {tfMisspelled, "Misspelled"}};
  std::string out;
  for (const auto& [flag, name] : names) {
    if (!(f & flag)) continue;
    if (!out.empty()) out += '|';
    out += name;
  }
  return out;
}

std::string Escape(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32 || c >= 127) {
      static const char hex[] = "0123456789abcdef";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Listing(const std::vector<PaintedToken>& tokens) {
  std::ostringstream s;
  for (const PaintedToken& t : tokens) {
    char flags[8];
    std::snprintf(flags, sizeof flags, "%04x", static_cast<unsigned>(t.flags));
    s << t.line << ':' << t.column << ' ' << flags << ' ' << FlagNames(t.flags) << (t.kind == tkURL ? " url" : "")
      << ' ' << Escape(t.text) << '\n';
  }
  return s.str();
}

std::vector<PaintedToken> LinesBetween(const std::vector<PaintedToken>& all, int first, int last) {
  std::vector<PaintedToken> out;
  for (const PaintedToken& t : all)
    if (t.line >= first && t.line <= last) out.push_back(t);
  return out;
}

class GoldenTest : public ::testing::TestWithParam<Sample> {};

void ScrollThrough(const Sample& sample, const std::string& source);

TEST_P(GoldenTest, WholeDocumentMatchesTheReviewedListing) {
  const Sample& sample = GetParam();
  const std::string base = std::string(QUILL_TEST_DATA_DIR) + "/highlight/" + sample.file;
  const std::string source = ReadBytes(base);
  ASSERT_FALSE(source.empty()) << base;
  const bool update = std::getenv("QUILL_UPDATE_GOLDEN") != nullptr;
  const std::string sources[] = {source, WithCrLf(source)};
  for (const std::string& text : sources) {
    LineStore store;
    hltest::Fill(store, hltest::SplitLines(text));
    auto h = CreateHighlighter(sample.plainText, sample.style);
    h->Attach(&store);
    std::vector<PaintedToken> tokens;
    ASSERT_TRUE(hltest::Paint(*h, 0, store.Count(), tokens));
    const std::string listing = Listing(tokens);
    if (update && &text == &sources[0]) {
      std::ofstream(base + ".tokens", std::ios::binary) << listing;
      continue;
    }
    EXPECT_EQ(listing, ReadBytes(base + ".tokens")) << sample.file;
  }
}

// The line start states must give every line the same tokens whichever line is at the top of the window
// and however the window got there.
TEST_P(GoldenTest, EveryScrollPositionPaintsTheSameTokens) {
  const Sample& sample = GetParam();
  const std::string lf = ReadBytes(std::string(QUILL_TEST_DATA_DIR) + "/highlight/" + sample.file);
  for (const std::string& source : {lf, WithCrLf(lf)}) {
    ScrollThrough(sample, source);
    if (HasFatalFailure()) return;
  }
}

void ScrollThrough(const Sample& sample, const std::string& source) {
  LineStore store;
  hltest::Fill(store, hltest::SplitLines(source));
  const int count = store.Count();
  std::vector<PaintedToken> whole;
  {
    auto h = CreateHighlighter(sample.plainText, sample.style);
    h->Attach(&store);
    ASSERT_TRUE(hltest::Paint(*h, 0, count, whole));
  }
  constexpr int rows = 3;
  auto check = [&](THighLighter& h, int top, const char* how) {
    std::vector<PaintedToken> tokens;
    ASSERT_TRUE(hltest::Paint(h, top, rows, tokens)) << how << " top " << top;
    EXPECT_EQ(Listing(tokens), Listing(LinesBetween(whole, top, top + rows + 2))) << how << " top " << top;
  };
  for (int top = 0; top < count; ++top) {  // each top line in a fresh list: rescans from the first line
    LineStore fresh;
    hltest::Fill(fresh, hltest::SplitLines(source));
    auto h = CreateHighlighter(sample.plainText, sample.style);
    h->Attach(&fresh);
    check(*h, top, "fresh");
  }
  auto down = CreateHighlighter(sample.plainText, sample.style);
  down->Attach(&store);
  for (int top = 0; top < count; ++top) check(*down, top, "scrolling down");
  auto up = CreateHighlighter(sample.plainText, sample.style);
  up->Attach(&store);
  for (int top = count - 1; top >= 0; --top) check(*up, top, "scrolling up");
  std::mt19937 rng(5);
  for (int i = 0; i < 3 * count; ++i) check(*up, static_cast<int>(rng() % static_cast<unsigned>(count)), "jumping");
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenTest, ::testing::ValuesIn(Samples),
                         [](const ::testing::TestParamInfo<Sample>& param) {
                           std::string name;
                           for (const char* p = param.param.file; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

}  // namespace
