// Golden token files: each sample document under tests/data/highlight is painted and its tokens compared
// with the reviewed listing next to it (<sample>.tokens); painting from other first lines is compared
// with a whole scan by the randomized tests. QUILL_UPDATE_GOLDEN=1 rewrites the listings;
// a rewritten listing must be reviewed by hand before it is committed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HighlightTestDriver.h"
#include "fakes/TestFiles.h"
#include "highlight/HighlighterFactory.h"

using hltest::PaintedToken;

namespace {

struct Sample { const char* file; TColorStyle style; bool plainText = false; };

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

// Quoted, with quotes and backslashes escaped and bytes outside printable ASCII as \xhh.
std::string Escape(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    if (c == '"' || c == '\\') out += '\\';
    out += c < 32 || c >= 127 ? std::string(hex) : std::string(1, static_cast<char>(c));
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

class GoldenTest : public ::testing::TestWithParam<Sample> {};

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

INSTANTIATE_TEST_SUITE_P(Samples, GoldenTest, ::testing::ValuesIn(Samples));

}  // namespace
