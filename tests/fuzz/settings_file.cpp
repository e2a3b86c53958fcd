// The settings file backend: any file is read without harm; a value written is read back as written;
// every other value reads as before, and every other line of the file is kept as it was.
//
// Input: the file's bytes (length first), then operations: read or write a (section, ident) taken from a
// few ordinary names or from the input, with a value from the input.
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "fakes/TestFiles.h"
#include "settings/IniFileBackend.h"

namespace {

const char* const kNames[] = {"Editor", "editor", "Main", "Fontname", "WordWrap", "", " a ", "[x]", "a=b", "#c", ";"};

std::string Name(FuzzInput& in) {
  const int pick = in.Below(16);
  if (pick < 11) return kNames[pick];
  return in.Bytes(8);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    const std::size_t end = lf == std::string::npos ? bytes.size() : lf;
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The lines of the old file that the new one lost: those outside their longest common subsequence.
int LinesLost(const std::string& before, const std::string& after) {
  const std::vector<std::string> old = Lines(before), now = Lines(after);
  std::vector<std::vector<int>> common(old.size() + 1, std::vector<int>(now.size() + 1, 0));
  for (std::size_t i = old.size(); i-- > 0;)
    for (std::size_t k = now.size(); k-- > 0;)
      common[i][k] = old[i] == now[k] ? common[i + 1][k + 1] + 1 : std::max(common[i + 1][k], common[i][k + 1]);
  return static_cast<int>(old.size()) - common[0][0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string folder = ScratchFolder();
  const std::string file = folder + "/Layout.ini";
  WriteBytes(file, in.Bytes(4096));
  IniFileBackend backend(folder, "Software\\Norvale\\Quillpad\\Layout");
  FUZZ_CHECK(backend.FilePath() == file, "another file: " + backend.FilePath().string());

  // Every value seen so far, by its names in lower case.
  std::map<std::pair<std::string, std::string>, std::optional<std::string>> seen;
  for (int op = 0; op < 8 && !in.Empty(); ++op) {
    const bool write = in.Flag();
    const std::string section = Name(in), ident = Name(in);
    const auto key = std::make_pair(Lower(section), Lower(ident));
    if (!write) {
      seen[key] = backend.Read(section, ident);
      continue;
    }
    const std::string value = in.Bytes(16);
    const std::string before = ReadBytes(file);
    backend.Write(section, ident, value);
    const std::string after = ReadBytes(file);
    FUZZ_CHECK(backend.Read(section, ident) == value,
               "[" + Escaped(section) + "] " + Escaped(ident) + " does not read back " + Escaped(value));
    FUZZ_CHECK(LinesLost(before, after) <= 1, "lines lost:\n" + Escaped(before) + "\n" + Escaped(after));
    seen[key] = value;
    for (const auto& [other, old] : seen) {
      if (other == key) continue;
      // Read with the lower-case names: names compare without regard to case.
      FUZZ_CHECK(backend.Read(other.first, other.second) == old,
                 "[" + Escaped(other.first) + "] " + Escaped(other.second) + " changed by writing [" +
                     Escaped(section) + "] " + Escaped(ident));
    }
  }
  return 0;
}
