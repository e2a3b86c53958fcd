// Replays stored inputs through a fuzz target without libFuzzer, so the normal (GCC) test run checks
// every seed and every input a campaign ever found. Arguments: files or folders of inputs.
// With --pending first, every input must still fail (each runs in a child process of its own): one that
// passes names a fault that has been mended, and its input belongs among the regressions now.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream read;
  read << in.rdbuf();
  return read.str();
}

void RunOne(const std::string& bytes) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Whether the input fails in a child process (its report is not shown: the failure is expected).
bool FailsInChild(const std::string& bytes) {
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    RunOne(bytes);
    _exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

int main(int argc, char** argv) {
  const bool pending = argc > 1 && std::string(argv[1]) == "--pending";
  std::vector<std::filesystem::path> files;
  for (int i = pending ? 2 : 1; i < argc; ++i) {
    const std::filesystem::path p(argv[i]);
    if (std::filesystem::is_directory(p)) {
      for (const auto& entry : std::filesystem::directory_iterator(p))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    } else if (std::filesystem::exists(p)) {
      files.push_back(p);
    }
  }
  std::sort(files.begin(), files.end());
  int mended = 0;
  for (const auto& f : files) {
    std::fprintf(stderr, "%s\n", f.string().c_str());
    if (!pending) {
      RunOne(Read(f));
    } else if (!FailsInChild(Read(f))) {
      std::fprintf(stderr, "  passes now: move it to the regressions\n");
      ++mended;
    }
  }
  std::fprintf(stderr, "%zu inputs replayed\n", files.size());
  return mended == 0 ? 0 : 1;
}
