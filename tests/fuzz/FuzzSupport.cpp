#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>

#include "FuzzInput.h"

void FuzzFail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

std::string Escaped(std::string_view s) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 32 && c < 127 && c != '\\') {
      out += ch;
    } else {
      out += "\\x";
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

bool SkipPendingFaults() {
  static const bool skip = [] {
    const char* v = std::getenv("QUILL_FUZZ_SKIP_PENDING");
    return v != nullptr && *v != '\0' && *v != '0';
  }();
  return skip;
}

namespace {

// The folder goes with the object, when the process ends.
struct Scratch {
  std::string path;
  Scratch() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : (tmp ? tmp : "/tmp");
    path = base + "/quillfuzzXXXXXX";
    if (::mkdtemp(path.data()) == nullptr) FuzzFail("no scratch folder under " + base);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}
