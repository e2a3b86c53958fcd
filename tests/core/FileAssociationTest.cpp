#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "fakes/TestFiles.h"
#include "settings/FileAssociation.h"

namespace fs = std::filesystem;

namespace {

struct Homes {
  TempFolder dir;
  XdgHomes homes{fs::path(dir / "config"), fs::path(dir / "data")};
  FileAssociation Association(const std::string& program = "/opt/quill pad/quillpad") const {
    return FileAssociation(homes, program);
  }
  std::string List() const { return dir / "config/mimeapps.list"; }
  std::string Desktop() const { return dir / "data/applications/quillpad.desktop"; }
};

// What the user's mimeapps.list may hold before we touch it; nullopt is no file at all.
const std::optional<std::string> kStartingLists[] = {
    std::nullopt,
    "",
    "[Default Applications]\ntext/html=firefox.desktop\n",
    "[Added Associations]\ntext/html=firefox.desktop;chromium.desktop;\nimage/png=gimp.desktop;\n\n"
    "[Removed Associations]\ntext/plain=vim.desktop;\n",
    "# mine\r\n[Added Associations]\r\ntext/plain = gedit.desktop\r\n",
    "[Default Applications]\ntext/plain=mousepad.desktop;",  // no line end at the end
    "[Added Associations]\n[Default Applications]\ntext/html=firefox.desktop;\n",
};

}  // namespace

// Any order of switching the two types on and off keeps IsAssociated equal to the last choice, and
// switching both off gives back the user's file byte for byte (or no file, when there was none).
TEST(FileAssociation, RandomSwitchingKeepsOtherLinesAndRestoresTheFile) {
  std::mt19937 random(14);
  for (const auto& start : kStartingLists) {
    Homes h;
    if (start) {
      fs::create_directories(h.dir / "config");
      WriteBytes(h.List(), *start);
    }
    FileAssociation a = h.Association();
    bool html = false, text = false;
    for (int step = 0; step < 40; ++step) {
      const bool on = random() % 2 == 0;
      if (random() % 2 == 0) {
        a.SetAssociation("htmlfile", "htm", on);
        html = on;
      } else {
        a.SetAssociation("txtfile", "txt", on);
        text = on;
      }
      ASSERT_EQ(a.IsAssociated("htmlfile"), html) << step << " " << start.value_or("<none>");
      ASSERT_EQ(a.IsAssociated("txtfile"), text) << step;
      EXPECT_EQ(fs::exists(h.Desktop()), html || text) << step;
      // Other programs keep their places ahead of us on a shared line.
      if (start && start->find("firefox.desktop;chromium.desktop;") != std::string::npos) {
        const std::string now = ReadBytes(h.List());
        EXPECT_NE(now.find(html ? "text/html=firefox.desktop;chromium.desktop;quillpad.desktop;"
                                  : "text/html=firefox.desktop;chromium.desktop;\n"),
                    std::string::npos)
              << now;
      }
    }
    a.SetAssociation("htmlfile", "htm", false);
    a.SetAssociation("txtfile", "txt", false);
    if (start)  // a last line without its end gets one, the only byte that may differ
      EXPECT_EQ(ReadBytes(h.List()), *start + (start->empty() || start->ends_with('\n') ? "" : "\n"));
    else
      EXPECT_FALSE(fs::exists(h.List()));
    EXPECT_FALSE(fs::exists(h.Desktop()));
  }
}

TEST(FileAssociation, WritesTheLinesAndAnEntryThatStartsTheProgram) {
  Homes h;
  FileAssociation a = h.Association("/opt/quill pad/$bin/quillpad");
  a.SetAssociation("htmlfile", "htm", true);
  a.SetAssociation("txtfile", "txt", true);
  EXPECT_EQ(ReadBytes(h.List()), "[Added Associations]\ntext/html=quillpad.desktop;\ntext/plain=quillpad.desktop;\n");
  const std::string entry = ReadBytes(h.Desktop());
  // Quoted, "$" escaped inside the quotes, and that backslash doubled as a desktop-entry string.
  EXPECT_NE(entry.find("\nExec=\"/opt/quill pad/\\\\$bin/quillpad\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("Type=Application\n"), std::string::npos);
  EXPECT_NE(FileAssociation::DesktopEntry("/a/100%/q").find("Exec=\"/a/100%%/q\" %f"), std::string::npos);
  EXPECT_THROW(FileAssociation::DesktopEntry("/a\nb"), AssociationError);

  // Unknown types change nothing; a type unknown by name is found by its extension.
  a.SetAssociation("exefile", "exe", false);
  EXPECT_TRUE(a.IsAssociated("htmlfile"));
  a.SetAssociation("", "html", false);
  EXPECT_FALSE(a.IsAssociated("htmlfile"));
  EXPECT_FALSE(a.IsAssociated("exefile"));
}

TEST(FileAssociation, LeavesAReadOnlyListAndTheUsersOwnEntryAlone) {
  Homes h;
  fs::create_directories(h.dir / "config");
  const std::string before = "[Added Associations]\ntext/plain=quillpad.desktop;\n";
  WriteBytes(h.List(), before);
  fs::permissions(h.List(), fs::perms::owner_read | fs::perms::group_read);
  FileAssociation a = h.Association();
  EXPECT_TRUE(a.IsAssociated("txtfile"));
  EXPECT_THROW(a.SetAssociation("htmlfile", "htm", true), AssociationError);
  EXPECT_THROW(a.SetAssociation("txtfile", "txt", false), AssociationError);
  EXPECT_EQ(ReadBytes(h.List()), before);
  // Nothing to change is no write, and so no error.
  EXPECT_NO_THROW(a.SetAssociation("txtfile", "txt", true));

  fs::permissions(h.List(), fs::perms::owner_write, fs::perm_options::add);
  fs::create_directories(h.dir / "data/applications");
  const std::string mine = "[Desktop Entry]\nType=Application\nExec=myquill %f\n";
  WriteBytes(h.Desktop(), mine);
  a.SetAssociation("htmlfile", "htm", true);
  EXPECT_EQ(ReadBytes(h.Desktop()), mine);
  a.SetAssociation("htmlfile", "htm", false);
  a.SetAssociation("txtfile", "txt", false);
  EXPECT_EQ(ReadBytes(h.Desktop()), mine);
  EXPECT_FALSE(fs::exists(h.List()));
}

TEST(FileAssociation, FoldersComeFromTheXdgVariables) {
  ScopedEnv home("HOME", "/home/u"), config("XDG_CONFIG_HOME", "/x/conf");
  ScopedEnv data("XDG_DATA_HOME", "relative/data");  // a relative one counts as unset
  XdgHomes homes = XdgHomes::FromEnvironment();
  EXPECT_EQ(homes.ConfigHome, fs::path("/x/conf"));
  EXPECT_EQ(homes.DataHome, fs::path("/home/u/.local/share"));
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("XDG_DATA_HOME", "/x/data", 1);
  homes = XdgHomes::FromEnvironment();
  EXPECT_EQ(homes.ConfigHome, fs::path("/home/u/.config"));
  EXPECT_EQ(homes.DataHome, fs::path("/x/data"));
}
