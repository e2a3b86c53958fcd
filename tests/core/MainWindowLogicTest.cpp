#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/MainWindowLogic.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempDir {
public:
  TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("quill_mainlogic_" + std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }

private:
  fs::path path_;
};

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
  TempDir dir;
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
    EXPECT_EQ(PassesTextFileTest(dir.Write("f" + std::to_string(round), bytes)), expected) << "round " << round;
  }
}

TEST(MainWindowLogic, TextFileTestEdges) {
  TempDir dir;
  EXPECT_TRUE(PassesTextFileTest((dir.Path() / "missing.txt").string()));
  EXPECT_FALSE(PassesTextFileTest(dir.Path().string()));
  EXPECT_TRUE(PassesTextFileTest(dir.Write("empty", "")));
  EXPECT_FALSE(PassesTextFileTest(dir.Write("at511", std::string(511, 'x') + '\x01')));
  EXPECT_TRUE(PassesTextFileTest(dir.Write("at512", std::string(512, 'x') + '\x01')));
  EXPECT_TRUE(PassesTextFileTest(dir.Write("crlf", "a\r\nb\tc\x1b\x1f\x08")));
}

TEST(MainWindowLogic, EscActionFromSetting) {
  EXPECT_EQ(EscActionFor(0), EscAction::None);
  EXPECT_EQ(EscActionFor(1), EscAction::Exit);
  EXPECT_EQ(EscActionFor(2), EscAction::Minimize);
  EXPECT_EQ(EscActionFor(3), EscAction::None);
  EXPECT_EQ(EscActionFor(-1), EscAction::None);
}

TEST(MainWindowLogic, CaptionAndApplicationTitle) {
  EXPECT_EQ(DocumentCaption("C:\\a.txt", "windows-1250"), "Norvale Quillpad 1.0.16 - C:\\a.txt (windows-1250)");
  EXPECT_EQ(ApplicationTitleFor("C:\\a.txt"), "Quillpad - a.txt");
  EXPECT_EQ(ApplicationTitleFor("/home/ann/web/index.html"), "Quillpad - index.html");
  EXPECT_EQ(ApplicationTitleFor("plain.txt"), "Quillpad - plain.txt");
  EXPECT_EQ(ApplicationTitleFor(""), std::nullopt);
  EXPECT_EQ(ApplicationTitleFor("/home/ann/"), std::nullopt);
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
  TempDir dir;
  const std::string program = (dir.Path() / "bin").string();
  const std::string data = (dir.Path() / "share" / "quillpad").string();
  const auto candidates = HelpFileCandidates(program, {data});
  EXPECT_EQ(FindHelpFile(candidates), std::nullopt);

  const std::string installed = dir.Write("share/quillpad/help/index.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), installed);
  const std::string inHelpFolder = dir.Write("bin/Help/index.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), inHelpFolder);
  const std::string beside = dir.Write("bin/quillpad.html", "<html></html>");
  EXPECT_EQ(FindHelpFile(candidates), beside);
}
