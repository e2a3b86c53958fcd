// The INI file backend: names without case, escaping, damaged files, the folder, two writers at once (any
// bytes in names and values are the settings_file fuzz target's).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TestFiles.h"
#include "settings/IniFileBackend.h"
#include "settings/MainSettings.h"
#include "settings/SettingsStore.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// A write that must throw SettingsError with exactly this message.
template <class Write>
void ExpectWriteError(Write write, const char* message) {
  try {
    write();
    ADD_FAILURE() << "the write should fail";
  } catch (const SettingsError& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

}  // namespace

TEST(IniFileBackend, NamesCompareWithoutCaseAndEveryReadSeesTheFile) {
  TempFolder dir;
  SettingsStore writer(std::make_shared<IniFileBackend>(dir.Path(), kLayoutKey));
  SettingsStore reader(std::make_shared<IniFileBackend>(dir.Path(), kLayoutKey));
  EXPECT_EQ(reader.ReadString("Editor", "FontName", "FixedSys"), "FixedSys");
  writer.WriteString("Editor", "FontName", "Courier");
  EXPECT_EQ(reader.ReadString("EDITOR", "Fontname", "x"), "Courier");
  writer.WriteInteger("editor", "OperatorBackGround", 7);
  writer.WriteInteger("Editor", "OperatorBackground", 8);
  EXPECT_EQ(reader.ReadInteger("Editor", "operatorbackground", 0), 8);
  const std::string text = ReadBytes(dir / "Layout.ini");
  EXPECT_EQ(text, "[Editor]\nFontName=Courier\nOperatorBackGround=8\n");
}

// Names and values holding the file's own syntax (brackets, "=", comment signs, line breaks, NUL, blanks
// at the edges, backslashes) are escaped on writing and come back as written to a reader of the file.
TEST(IniFileBackend, NamesAndValuesWithTheFilesSyntaxRoundTrip) {
  TempFolder dir;
  IniFileBackend writer(dir.Path(), kLayoutKey);
  const std::tuple<std::string, std::string, std::string> entries[] = {
      {"a]b", "=x", " lead\r\nline\ttab trail "}, {"[s", "[x", "\\"},    {"s", ";c", std::string("a\0b", 3)},
      {"s", "#d", "=;#[]"},                         {" s ", " i ", " "}, {"s", "a=b", "\\n"},
  };
  for (const auto& [section, ident, value] : entries) writer.Write(section, ident, value);
  IniFileBackend reader(dir.Path(), kLayoutKey);
  for (const auto& [section, ident, value] : entries) EXPECT_EQ(reader.Read(section, ident), value) << section << '/' << ident;
}

TEST(IniFileBackend, DamagedFilesReadWhatTheyCanAndKeepEverythingOnWrite) {
  const std::string big(1 << 20, 'x');
  using Expect = std::vector<std::tuple<std::string, std::string, std::optional<std::string>>>;
  const struct { const char* name; std::string text; Expect expect; } cases[] = {
      {"empty", "", {{"Editor", "A", std::nullopt}}},
      {"truncated in a name", "[Editor]\nFontSize=12\nTab", {{"Editor", "FontSize", "12"}, {"Editor", "Tab", std::nullopt}}},
      {"truncated in a value", "[Editor]\nA=1\nB=tw", {{"Editor", "A", "1"}, {"Editor", "B", "tw"}}},
      {"truncated header", "[Editor]\nA=1\n[Mai", {{"Editor", "A", "1"}, {"Mai", "A", std::nullopt}}},
      {"binary bytes", "[Editor]\n\x01\x02\xff\xfe=\x80\x81\nA=1\n",
       {{"Editor", "\x01\x02\xff\xfe", "\x80\x81"}, {"Editor", "A", "1"}}},
      {"NUL bytes", std::string("[Editor]\nA=x\0y\n\0\0\0\nB=2\n", 23), {{"Editor", "A", std::string("x\0y", 3)}, {"Editor", "B", "2"}}},
      {"lines without =", "[Editor]\njunk line\nA=1\n", {{"Editor", "A", "1"}, {"Editor", "junk line", std::nullopt}}},
      {"duplicates", "[Editor]\nA=1\na=2\n[editor]\nA=3\nB=4\n", {{"Editor", "A", "1"}, {"EDITOR", "b", "4"}}},
      {"values before any group", "A=0\n[Editor]\nA=1\n", {{"Editor", "A", "1"}, {"", "A", std::nullopt}}},
      {"a 1 MB line", "[Editor]\nBig=" + big + "\nA=1\n", {{"Editor", "Big", big}, {"Editor", "A", "1"}}},
      {"CR LF, blanks and tabs", "[Editor]\r\nA=1\r\n\tB =\ttwo words \r\n", {{"Editor", "A", "1"}, {"Editor", "B", "two words"}}},
      {"text after a header", "[Editor]x\nA=1\n[Main]\nC=3\n", {{"Editor", "A", std::nullopt}, {"Main", "C", "3"}}},
      {"broken header hides its entries", "[Editor]\nA=1\n[Broken\nB=2\n[Main]\nC=3\n",
       {{"Editor", "B", std::nullopt}, {"Broken", "B", std::nullopt}, {"Main", "C", "3"}}},
      {"comments", "[Editor]\n; A=1\n# B=2\n", {{"Editor", "; A", std::nullopt}, {"Editor", "A", std::nullopt}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    const std::string file = dir / "Layout.ini";
    WriteBytes(file, c.text);
    IniFileBackend backend(dir.Path(), kLayoutKey);
    auto check = [&] {
      for (const auto& [section, ident, value] : c.expect) EXPECT_EQ(backend.Read(section, ident), value) << ident;
    };
    check();
    // A new group goes at the end: the damaged text stays in front of it byte for byte.
    backend.Write("Zz", "New", "v");
    const std::string after = ReadBytes(file);
    const std::string kept = c.text.empty() || c.text.back() == '\n' ? c.text : c.text + "\n";
    EXPECT_EQ(after.substr(0, kept.size()), kept);
    EXPECT_EQ(backend.Read("Zz", "New"), "v");
    check();
    // Changing a value in place alters that one value only.
    for (const auto& [section, ident, value] : c.expect) {
      if (!value) continue;
      backend.Write(section, ident, "changed");
      EXPECT_EQ(backend.Read(section, ident), "changed");
      for (const auto& [s2, i2, v2] : c.expect) {
        if (Lower(s2) != Lower(section) || Lower(i2) != Lower(ident)) {
          EXPECT_EQ(backend.Read(s2, i2), v2);
        }
      }
      EXPECT_EQ(backend.Read("Zz", "New"), "v");
      break;
    }
  }
}

TEST(IniFileBackend, AddsNewValuesToTheFirstGroupOfTheirSection) {
  TempFolder dir;
  WriteBytes(dir / "Layout.ini", "; kept\n[Main]\nTop=1\n\n[Editor]\nA=1\n\n[main]\nLeft=2\n");
  IniFileBackend backend(dir.Path(), kLayoutKey);
  backend.Write("MAIN", "Width", "3");
  backend.Write("main", "Left", "4");
  EXPECT_EQ(ReadBytes(dir / "Layout.ini"), "; kept\n[Main]\nTop=1\nWidth=3\n\n[Editor]\nA=1\n\n[main]\nLeft=4\n");
}

TEST(IniFileBackend, OpeningCreatesTheFolderAndFile) {
  TempFolder dir;
  const fs::path folder = dir / "a/b";
  IniFileBackend backend(folder, kPrinterKey);
  EXPECT_EQ(backend.FilePath(), folder / "printer.ini");
  EXPECT_TRUE(fs::is_regular_file(folder / "printer.ini"));
  EXPECT_EQ(fs::file_size(folder / "printer.ini"), 0u);
  const std::pair<const char*, const char*> names[] = {{"Software\\Norvale\\Quillpad\\Layout", "Layout.ini"}, {"Software\\Norvale\\Quillpad\\printer\\", "printer.ini"},
               {"Layout", "Layout.ini"}, {"a\\b/c\\\\", "b_c.ini"}, {"\\\\", "Settings.ini"}, {"x\\..", "Settings.ini"}};
  for (const auto& [key, file] : names) EXPECT_EQ(IniFileBackend::FileNameFor(key), file) << key;
}

TEST(IniFileBackend, FolderComesFromTheEnvironment) {
  const struct { const char *own, *xdg, *home, *expected; } cases[] = {{"/q/own", "/x", "/h", "/q/own"},
               {nullptr, "/x", "/h", "/x/Norvale/Quillpad"},
               {"", "/x", "/h", "/x/Norvale/Quillpad"},
               {nullptr, "relative", "/h", "/h/.config/Norvale/Quillpad"},
               {nullptr, nullptr, "/h", "/h/.config/Norvale/Quillpad"}};
  for (const auto& c : cases) {
    ScopedEnv own("QUILLPAD_CONFIG_DIR", c.own), xdg("XDG_CONFIG_HOME", c.xdg), home("HOME", c.home);
    EXPECT_EQ(IniFileBackend::DefaultFolder(), fs::path(c.expected));
  }
}

TEST(IniFileBackend, AFolderThatCannotBeCreatedGivesDefaultsAndFailingWrites) {
  TempFolder dir;
  WriteBytes(dir / "file", "x");
  SettingsStore store(std::make_shared<IniFileBackend>(dir / "file/sub", kLayoutKey));
  EXPECT_EQ(store.ReadInteger("Interface", "Language", -1), -1);
  ExpectWriteError([&] { store.WriteInteger("Interface", "Language", 2); }, "Failed to create key Interface");
}

TEST(IniFileBackend, AFileThatCannotBeReadIsNotReplaced) {
  TempFolder dir;
  fs::create_directory(dir / "Layout.ini");
  WriteBytes(dir / "Layout.ini/inside", "data");
  IniFileBackend backend(dir.Path(), kLayoutKey);
  EXPECT_EQ(backend.Read("Editor", "A"), std::nullopt);
  ExpectWriteError([&] { backend.Write("Editor", "FontSize", "12"); }, "Failed to set data for 'FontSize'");
  EXPECT_EQ(ReadBytes(dir / "Layout.ini/inside"), "data");
}

TEST(IniFileBackend, TwoProcessesWritingAtOnceKeepEachOthersValues) {
  TempFolder dir;
  const int count = 40;
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  auto writeMany = [&](const std::string& who) {
    IniFileBackend backend(dir.Path(), kLayoutKey);
    for (int i = 0; i < count; ++i) {
      backend.Write("Shared", who + std::to_string(i), who + "-value-" + std::to_string(i));
      backend.Write(who, "Last", std::to_string(i));
    }
  };
  if (child == 0) {
    char c;
    int status = 1;
    if (::read(go[0], &c, 1) == 1) {
      try {
        writeMany("child");
        status = 0;
      } catch (...) {
      }
    }
    ::_exit(status);
  }
  ASSERT_EQ(::write(go[1], "g", 1), 1);  // both start together
  writeMany("parent");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::close(go[0]);
  ::close(go[1]);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  IniFileBackend reader(dir.Path(), kLayoutKey);
  for (const std::string who : {"parent", "child"}) {
    for (int i = 0; i < count; ++i)
      EXPECT_EQ(reader.Read("Shared", who + std::to_string(i)), who + "-value-" + std::to_string(i)) << who << i;
    EXPECT_EQ(reader.Read(who, "Last"), std::to_string(count - 1));
  }
  EXPECT_FALSE(fs::exists(dir / "Layout.ini.tmp"));
}

