#include <gtest/gtest.h>
#include <signal.h>
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

#include "app/TextFiles.h"
#include "fakes/TestFiles.h"

namespace fs = std::filesystem;

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
  for (int trial = 1; trial <= 200; ++trial) {
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
  std::cout << "finished " << finished << ", cut short with a temporary file left " << leftovers << " of 200\n";
}
