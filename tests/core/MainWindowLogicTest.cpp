#include <gtest/gtest.h>

#include <filesystem>

#include "app/MainWindowLogic.h"
#include "fakes/TestFiles.h"

namespace {

// Writes a file under the folder, making its parent folders; returns its path.
std::string Write(const TempFolder& dir, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(dir / name).parent_path());
  WriteBytes(dir / name, bytes);
  return dir / name;
}

}  // namespace

TEST(MainWindowLogic, JoinsCommandLineArgumentsWithSingleBlanksAndTrims) {
  const struct { std::vector<std::string> args; std::string joined; } cases[] = {
      {{}, ""}, {{"page.html"}, "page.html"}, {{"C:\\My", "Web", "page.html"}, "C:\\My Web page.html"},
      {{" a ", "b"}, "a  b"}, {{"", ""}, ""}, {{"x", "", "y"}, "x  y"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinCommandLine(c.args), c.joined);
}

// Only the first 512 bytes count; of the control bytes, NUL, BS, TAB, LF, CR and 27 to 31 are allowed.
TEST(MainWindowLogic, TextFileTest) {
  TempFolder dir;
  const std::string allowed("\0\b\t\n\r\x1b\x1c\x1d\x1e\x1f", 10);
  for (int b = 0; b < 32; ++b) {
    const std::string bytes = "text" + std::string(1, static_cast<char>(b)) + "\xB9\xFF";
    EXPECT_EQ(PassesTextFileTest(Write(dir, "b" + std::to_string(b), bytes)), allowed.find(static_cast<char>(b)) != std::string::npos) << b;
  }
  EXPECT_TRUE(PassesTextFileTest(dir / "missing.txt"));
  EXPECT_FALSE(PassesTextFileTest(dir.Path()));
  EXPECT_TRUE(PassesTextFileTest(Write(dir, "empty", "")));
  EXPECT_FALSE(PassesTextFileTest(Write(dir, "at511", std::string(511, 'x') + '\x01')));
  EXPECT_TRUE(PassesTextFileTest(Write(dir, "at512", std::string(512, 'x') + '\x01')));
}

TEST(MainWindowLogic, CaptionAndApplicationTitle) {
  EXPECT_EQ(DocumentCaption("C:\\a.txt", "windows-1250"), "Norvale Quillpad 1.0.16 - C:\\a.txt (windows-1250)");
  EXPECT_EQ(DocumentCaption("/tmp/new.html", ""), "Norvale Quillpad 1.0.16 - /tmp/new.html");  // saved for the first time
  const std::pair<const char*, std::optional<std::string>> titles[] = {
      {"C:\\a.txt", "Quillpad - a.txt"}, {"/home/ann/web/index.html", "Quillpad - index.html"},
      {"plain.txt", "Quillpad - plain.txt"}, {"", std::nullopt}, {"/home/ann/", std::nullopt}};
  for (const auto& [file, title] : titles) EXPECT_EQ(ApplicationTitleFor(file), title) << file;
}

TEST(MainWindowLogic, HighlighterItemLastCheckWins) {
  using H = HighlighterItem;
  const struct { TColorStyle style; bool plain; std::optional<H> item; } cases[] = {
      {{csHTML}, false, H::Html},   {{csPerl}, false, H::Perl}, {{csPhp}, false, H::Php},
      {{csPascal}, false, H::Pascal}, {{csC}, false, H::Cpp},   {{csCSS}, false, H::Css},
      {{csNone}, true, H::None},    {{csHTML}, true, H::None},  {{csHTML, csPhp}, false, H::Php},
      {{csPlain}, false, std::nullopt}, {{}, false, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(HighlighterItemFor(c.style, c.plain), c.item) << static_cast<int>(c.style.ToBits());
}

TEST(MainWindowLogic, HelpFileIsTheFirstExistingCandidate) {
  TempFolder dir;
  const std::string program = dir / "bin";
  const std::string data = dir / "share/quillpad";
  const auto candidates = HelpFileCandidates(program, {data});
  EXPECT_EQ(FindHelpFile(candidates), std::nullopt);

  const std::string installed = Write(dir, "share/quillpad/help/index.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), installed);
  const std::string inHelpFolder = Write(dir, "bin/Help/index.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), inHelpFolder);
  const std::string beside = Write(dir, "bin/quillpad.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), beside);
}
