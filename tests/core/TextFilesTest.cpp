#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "DocumentFakes.h"
#include "app/DocumentText.h"
#include "app/TextFiles.h"

namespace fs = std::filesystem;
using namespace doc_test;

namespace {

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Contents that tell apart every save; a cut-short copy of them differs in its length.
std::string Contents(int save, std::size_t size) {
  return "save " + std::to_string(save) + "\n" + std::string(size, static_cast<char>('a' + save % 26));
}

// Runs one save in a child process and, given a delay, kills it then; returns whether the save finished.
bool SaveInChild(const std::string& path, const std::string& bytes, const TWriteOptions& options,
                 std::optional<std::chrono::microseconds> killAfter) {
  const pid_t child = ::fork();
  if (child == 0) _exit(WriteFileAtomically(path, bytes, options) ? 0 : 1);
  if (killAfter) {
    std::this_thread::sleep_for(*killAfter);
    ::kill(child, SIGKILL);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(TextFiles, LineEndsBecomeCrLfExceptAtTheVeryEnds) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\nb", "a\r\nb"},      {"a\rb", "a\r\nb"},        {"a\r\nb", "a\r\nb"},
      {"\nab", "\nab"},        {"ab\r", "ab\r"},          {"ab\n", "ab\n"},
      {"a\r\rb", "a\r\n\r\nb"}, {"a\n\nb", "a\r\n\r\nb"}, {"a\n\r\nb", "a\r\n\r\nb"},
      {"\n\n", "\n\n"},        {"", ""},                  {std::string("a\0\nb", 4), std::string("a\0\r\nb", 5)},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(NormalizeLineEnds(in), out) << in;
  // In place, a text that needs no change is kept; any other is changed as the copying form changes it.
  std::mt19937 random(13);
  for (int i = 0; i < 2000; ++i) {
    std::string text(random() % 24, 'a');
    for (char& c : text) c = "\r\n\r\nab"[random() % (i % 2 ? 4 : 6)];
    const std::string expected = NormalizeLineEnds(text);
    NormalizeLineEndsInPlace(text);
    ASSERT_EQ(text, expected);
  }
}

TEST(TextFiles, ReadWholeFilesAndTellMissingFromUnreadable) {
  TempFolder dir;
  const std::string big(10000, 'x');
  WriteBytes(dir / "big", big + std::string(70000, 'y'));
  WriteBytes(dir / "exact", big);
  EXPECT_EQ(ReadFileBytes(dir / "big").bytes.size(), 80000u);
  EXPECT_EQ(ReadFileBytes(dir / "exact").bytes, big);
  EXPECT_EQ(ReadFileBytes(dir / "none").status, TFileRead::Status::Missing);
  EXPECT_EQ(ReadFileBytes(dir / "big", 79999).status, TFileRead::Status::TooLarge);
  EXPECT_EQ(ReadFileBytes(dir / "big", 80000).bytes.size(), 80000u);
  // Folders, pipes and devices are refused unread: checked with their messages in DocumentCommandsTest.
  EXPECT_EQ(ReadFileBytes(dir / "big/inner").status, TFileRead::Status::Error);     // not a folder
  if (fs::exists("/proc/self/mem")) {  // its first page is not mapped: the read itself fails
    EXPECT_EQ(ReadFileBytes("/proc/self/mem").status, TFileRead::Status::Error);
  }
}

TEST(TextFiles, AtomicWriteKeepsPermissionsLinksAndMakesBackupsOnlyOnSuccess) {
  TempFolder dir;
  const std::string file = dir / "page.html";
  WriteBytes(file, "old");
  ::chmod(file.c_str(), 0640);
  fs::create_symlink(file, dir / "link.html");

  ASSERT_TRUE(WriteFileAtomically(dir / "link.html", "new", {dir / "link.bak"}));
  EXPECT_TRUE(fs::is_symlink(dir / "link.html"));
  EXPECT_EQ(ReadBytes(file), "new");
  EXPECT_EQ(ReadBytes(dir / "link.bak"), "old");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));

  // A new file gets the usual permissions, not those of a private temporary file.
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteFileAtomically(dir / "fresh.txt", "x"));
  ::umask(mask);
  EXPECT_EQ(fs::status(dir / "fresh.txt").permissions() & fs::perms::all, fs::perms(0644));

  // A backup that would be the file itself is not made.
  WriteBytes(dir / "x.bak", "keep");
  ASSERT_TRUE(WriteFileAtomically(dir / "x.bak", "newer", {dir / "x.bak"}));
  EXPECT_EQ(ReadBytes(dir / "x.bak"), "newer");
  EXPECT_EQ(FilesIn(dir.Path()).size(), 5u);  // page.html, link.html, link.bak, fresh.txt, x.bak: no temporaries
}

// A write that fails half way (the disk is full) leaves the old file and the old backup untouched.
TEST(DocumentText, OptimizeText) {
  const struct { std::string in, blanksRemoved, optimized; } cases[] = {
      {"a  \r\nb ", "a\r\nb", "a\r\nb"},
      {"a\t \r\n\r\n  \r\n", "a\t\r\n\r\n\r\n", "a\t"},
      {"x \r\n", "x\r\n", "x"},
      {"\r\n", "\r\n", "\r\n"},
      {"a b\n", "a b\n", "a b\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveTrailingBlanks(c.in), c.blanksRemoved) << c.in;
    EXPECT_EQ(OptimizeText(c.in), c.optimized) << c.in;
  }
}

TEST(DocumentText, HighlighterFromExtension) {
  const std::pair<const char*, std::optional<TColorStyle>> cases[] = {
      {"/d/a.html", TColorStyle{csHTML}}, {"/d/a.HTM", TColorStyle{csHTML}},  {"/d/a.xml", TColorStyle{csHTML}},
      {"/d/a.php3", TColorStyle{csPhp}},  {"/d/a.pl", TColorStyle{csPerl}},   {"/d/a.pas", TColorStyle{csPascal}},
      {"/d/style.css", TColorStyle{csCSS}}, {"/d/main.c", TColorStyle{csC}},  {"/d/x.h", TColorStyle{csC}},
      {"/d/x.hpp", TColorStyle{csC}},     {"/d/a.shtml", std::nullopt},       {"/d/a.phtml", std::nullopt},
      {"/d/notes.txt", std::nullopt},     {"/d.html/readme", std::nullopt},
  };
  for (const auto& [name, style] : cases) EXPECT_EQ(ColorStyleForFile(name), style) << name;
}

// Which code page a save uses (the meta tag's, the document's, the default) is DocumentCommandsTest.SaveRules.
TEST(DocumentText, EscapedLettersAreDecodedOnlyWithRecognitionOn) {
  EXPECT_EQ(DecodeDocument("?q=%B1 \xB1\xE6 x", false, std::nullopt).text, "?q=%B1 \xB9\xE6 x");
  EXPECT_EQ(DecodeDocument("?q=%B1 \xB1\xE6 x", true, std::nullopt).text, "?q=\xB9 \xB9\xE6 x");
  EXPECT_EQ(DecodeDocument("\xB1 ", false, std::string("windows-1250")).codePage, "windows-1250");
}

// A writer killed at any point of a save leaves the old or the new contents, never a mixture or a
// truncated file; the next save leaves no temporary file behind, and the backup is a whole old version.
TEST(SaveFaultInjection, KilledWriterLeavesOldOrNewContents) {
  // In memory where there is such a file system: a process killed mid-save leaves the same on any file
  // system, and there the flushes to disk do not make 400 saves take a minute.
  const ScopedEnv inMemory("TMPDIR", fs::is_directory("/dev/shm") ? "/dev/shm" : std::getenv("TMPDIR"));
  TempFolder dir;
  const std::string file = dir / "page.html";
  const std::string backup = dir / "page.bak";
  const std::size_t size = 1 << 17;
  std::string current = Contents(0, size);
  ASSERT_TRUE(WriteFileAtomically(file, current));

  // Kill points are spread over the time a whole save in a child process takes, from the fork on.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveInChild(file, current, {}, std::nullopt));
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / 3;
  std::mt19937 random(17);
  std::uniform_int_distribution<long> delay(0, saveTime.count());

  int finished = 0, leftovers = 0;
  std::set<std::string> versions{current};
  // How often a kill lands mid-write depends on the machine's load: a loaded machine gets more trials.
  int trial = 1;
  for (; trial <= 200 || (leftovers <= 5 && trial <= 1000); ++trial) {
    const std::string next = Contents(2 * trial, size + static_cast<std::size_t>(trial));
    TWriteOptions options;
    if (trial % 2 == 0) options.backupPath = backup;
    const bool done = SaveInChild(file, next, options, std::chrono::microseconds(delay(random)));
    finished += done ? 1 : 0;
    leftovers += FilesIn(dir.Path()).size() > (fs::exists(backup) ? 2u : 1u) ? 1 : 0;
    const std::string found = ReadBytes(file);
    ASSERT_TRUE(found == current || found == next) << "trial " << trial << ": " << found.size() << " bytes";
    if (done) {
      ASSERT_EQ(found, next) << "trial " << trial;
    }
    if (fs::exists(backup)) {
      ASSERT_TRUE(versions.count(ReadBytes(backup))) << "trial " << trial;
    }
    versions.insert(next);

    // The next save, uninterrupted, cleans up after the one that was cut short.
    current = Contents(2 * trial + 1, size - static_cast<std::size_t>(trial));
    ASSERT_TRUE(WriteFileAtomically(file, current, options));
    versions.insert(current);
    const std::set<std::string> expected =
        fs::exists(backup) ? std::set<std::string>{"page.html", "page.bak"} : std::set<std::string>{"page.html"};
    ASSERT_EQ(FilesIn(dir.Path()), expected) << "trial " << trial;
  }
  // Saves must have finished and been cut short in the middle, or the kill points missed the save.
  EXPECT_GT(finished, 0);
  EXPECT_GT(leftovers, 5);
  std::cout << "finished " << finished << ", cut short with a temporary file left " << leftovers << " of " << trial - 1 << "\n";
}
