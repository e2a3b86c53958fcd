#include <gtest/gtest.h>

#include <filesystem>
#include <random>

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
  const struct {
    std::vector<std::string> args;
    std::string joined;
  } cases[] = {
      {{}, ""},
      {{"page.html"}, "page.html"},
      {{"C:\\My", "Web", "page.html"}, "C:\\My Web page.html"},
      {{" a ", "b"}, "a  b"},
      {{"", ""}, ""},
      {{"x", "", "y"}, "x  y"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinCommandLine(c.args), c.joined);
}

TEST(MainWindowLogic, TextFileTestMatchesAModelOnRandomFiles) {
  TempFolder dir;
  auto bad = [](unsigned char b) { return (b >= 1 && b <= 7) || b == 11 || b == 12 || (b >= 14 && b <= 26); };
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 800)(rng);
    std::string bytes(size, 'a');
    // Mostly harmless bytes, sometimes one control byte somewhere (also past the 512 examined).
    for (char& c : bytes) c = static_cast<char>(std::uniform_int_distribution<int>(27, 255)(rng));
    for (unsigned char allowed : {0, 8, 9, 10, 13})
      if (size > 0 && rng() % 4 == 0) bytes[rng() % size] = static_cast<char>(allowed);
    if (size > 0 && rng() % 2 == 0) bytes[rng() % size] = static_cast<char>(std::uniform_int_distribution<int>(1, 31)(rng));
    bool expected = true;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 512); ++i)
      if (bad(static_cast<unsigned char>(bytes[i]))) expected = false;
    EXPECT_EQ(PassesTextFileTest(Write(dir, "f" + std::to_string(round), bytes)), expected) << "round " << round;
  }
}

TEST(MainWindowLogic, TextFileTestEdges) {
  TempFolder dir;
  EXPECT_TRUE(PassesTextFileTest(dir / "missing.txt"));
  EXPECT_FALSE(PassesTextFileTest(dir.Path()));
  EXPECT_TRUE(PassesTextFileTest(Write(dir, "empty", "")));
  EXPECT_FALSE(PassesTextFileTest(Write(dir, "at511", std::string(511, 'x') + '\x01')));
  EXPECT_TRUE(PassesTextFileTest(Write(dir, "at512", std::string(512, 'x') + '\x01')));
  EXPECT_TRUE(PassesTextFileTest(Write(dir, "crlf", "a\r\nb\tc\x1b\x1f\x08")));
}

TEST(MainWindowLogic, EscActionFromSetting) {
  for (int setting : {-1, 0, 1, 2, 3})
    EXPECT_EQ(EscActionFor(setting), setting == 1 ? EscAction::Exit : setting == 2 ? EscAction::Minimize : EscAction::None);
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
  const struct {
    TColorStyle style;
    bool plain;
    std::optional<H> item;
  } cases[] = {
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
