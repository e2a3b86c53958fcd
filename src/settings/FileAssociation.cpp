#include "settings/FileAssociation.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kGroup = "[Added Associations]";
constexpr std::string_view kMarker = "X-Quillpad-Association=true";
constexpr const char* kAssociatedTypes[] = {"text/html", "text/plain"};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

// The MIME type a file type (or, failing that, an extension) stands for on the desktop.
std::optional<std::string> MimeTypeOf(const std::string& fileType, const std::string& ext) {
  const std::string type = Lower(fileType);
  if (type == "htmlfile") return "text/html";
  if (type == "txtfile") return "text/plain";
  const std::string e = Lower(ext);
  if (e == "htm" || e == "html") return "text/html";
  if (e == "txt") return "text/plain";
  return std::nullopt;
}

// A mimeapps.list as its lines, each keeping its own line end, so that whatever we do not touch is
// written back exactly as it was read.
class MimeAppsList {
public:
  explicit MimeAppsList(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      end = end == std::string::npos ? text.size() : end + 1;
      lines_.push_back(text.substr(start, end - start));
      start = end;
    }
    for (const std::string& line : lines_)
      if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) eol_ = "\r\n";
  }

  std::string Text() const {
    std::string out;
    for (const std::string& line : lines_) out += line;
    return out;
  }

  bool Has(const std::string& mime) const {
    const auto [first, last] = Group();
    for (std::size_t i = first; i < last; ++i)
      if (IsKeyLine(i, mime) && TokenAt(Value(lines_[i])).has_value()) return true;
    return false;
  }

  void Add(const std::string& mime) {
    if (Has(mime)) return;
    auto [first, last] = Group();
    if (first == 0 && last == 0) {
      // No group yet: a new one at the end, after a blank line when the file has text.
      EndLastLine();
      if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back(eol_);
      lines_.push_back(std::string(kGroup) + eol_);
      first = last = lines_.size();
    }
    for (std::size_t i = first; i < last; ++i)
      if (IsKeyLine(i, mime)) {
        AppendOurs(lines_[i]);
        return;
      }
    // A new line after the group's last line with text, so blank lines before the next group stay.
    std::size_t at = last;
    while (at > first && Trim(lines_[at - 1]).empty()) --at;
    if (at == lines_.size()) EndLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), mime + "=" + FileAssociation::kDesktopId + ";" + eol_);
  }

  void Remove(const std::string& mime) {
    const auto [first, last] = Group();
    std::size_t end = last;
    for (std::size_t i = first; i < end;) {
      if (IsKeyLine(i, mime) && RemoveOurs(lines_[i])) {
        const std::string_view rest = Trim(Value(lines_[i]));
        if (rest.find_first_not_of(';') == std::string_view::npos) {
          lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
          --end;
          continue;
        }
      }
      ++i;
    }
    // A group at the end of the file left with nothing but blank lines goes, with the blank line that
    // set it apart: that is the group we add to a file without one. An empty group elsewhere stays.
    if (first == 0 || end != lines_.size()) return;
    for (std::size_t i = first; i < end; ++i)
      if (!Trim(lines_[i]).empty()) return;
    std::size_t from = first - 1;
    if (from > 0 && Trim(lines_[from - 1]).empty()) --from;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from), lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }

private:
  // The lines of the group after its header: [first, last). Both 0 when there is no group.
  std::pair<std::size_t, std::size_t> Group() const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (Trim(lines_[i]) != kGroup) continue;
      std::size_t end = i + 1;
      while (end < lines_.size() && !Trim(lines_[end]).starts_with('[')) ++end;
      return {i + 1, end};
    }
    return {0, 0};
  }

  bool IsKeyLine(std::size_t i, const std::string& mime) const {
    const std::string_view line = lines_[i];
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || Trim(line).starts_with('#')) return false;
    return Lower(Trim(line.substr(0, eq))) == mime;
  }

  static std::string_view Value(std::string_view line) { return line.substr(line.find('=') + 1); }

  // Where our entry stands in a value list: its first character and its end, blanks and line end aside.
  static std::optional<std::pair<std::size_t, std::size_t>> TokenAt(std::string_view value) {
    std::size_t start = 0;
    while (start <= value.size()) {
      std::size_t end = value.find(';', start);
      if (end == std::string_view::npos) end = value.size();
      const std::string_view token = Trim(value.substr(start, end - start));
      if (token == FileAssociation::kDesktopId) {
        const auto at = static_cast<std::size_t>(token.data() - value.data());
        return std::pair{at, at + token.size()};
      }
      start = end + 1;
    }
    return std::nullopt;
  }

  void AppendOurs(std::string& line) const {
    const std::size_t textEnd = Trim(line).data() + Trim(line).size() - line.data();
    std::string content = line.substr(0, textEnd);
    const std::string ending = line.substr(textEnd);
    // Added as ";ours" behind a list without a closing ";" and as "ours;" behind one with it, so that
    // taking it out again gives back the very same line.
    if (Trim(Value(content)).empty() || content.back() == ';')
      content += std::string(FileAssociation::kDesktopId) + ";";
    else
      content += std::string(";") + FileAssociation::kDesktopId;
    line = content + (ending.empty() ? eol_ : ending);
  }

  static bool RemoveOurs(std::string& line) {
    const std::size_t valueAt = line.find('=') + 1;
    const auto token = TokenAt(std::string_view(line).substr(valueAt));
    if (!token) return false;
    std::size_t from = valueAt + token->first;
    std::size_t to = valueAt + token->second;
    if (to < line.size() && line[to] == ';')
      ++to;
    else if (from > valueAt && line[from - 1] == ';')
      --from;
    line.erase(from, to - from);
    return true;
  }

  void EndLastLine() {
    if (!lines_.empty() && !lines_.back().ends_with('\n')) lines_.back() += eol_;
  }

  std::vector<std::string> lines_;
  std::string eol_ = "\n";
};

// The whole file; an empty text when it does not exist; nothing when it exists but cannot be read.
std::optional<std::string> ReadFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return ec ? std::nullopt : std::optional<std::string>(std::string());
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(in), {}};
  if (in.bad()) return std::nullopt;
  return text;
}

// A file kept as a symbolic link (a dotfile repository, say) is written where the link points.
fs::path WriteTarget(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(file, ec))) return file;
  const fs::path resolved = fs::weakly_canonical(file, ec);
  return ec ? file : resolved;
}

AssociationError WriteError(const fs::path& path) { return AssociationError("Failed to write " + path.string()); }

// A file the user marked read-only is left alone, even for a user the system would let write it.
void CheckWritable(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
    throw WriteError(path);
}

// Replaces the file with text through a temporary file in its folder, keeping its permissions, so that
// a failure at any moment leaves the old file or the new one.
void ReplaceFile(const fs::path& file, const std::string& text) {
  const fs::path target = WriteTarget(file);
  CheckWritable(target);
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  fs::path temp = target;
  temp += ".quillpad-new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      fs::remove(temp, ec);
      throw WriteError(file);
    }
  }
  const fs::file_status old = fs::status(target, ec);
  if (fs::exists(old)) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw WriteError(file);
  }
}

void RemoveFile(const fs::path& file) {
  CheckWritable(file);
  std::error_code ec;
  fs::remove(file, ec);
  if (ec) throw AssociationError("Failed to remove " + file.string());
}

fs::path HomeOr(const char* variable, const char* underHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && *value != '\0' && fs::path(value).is_absolute()) return value;
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr ? home : "") / underHome;
}

// An argument of an Exec line: quoted, with the characters the format reserves inside quotes escaped,
// then with backslashes doubled as every string value of a desktop entry needs; "%" is doubled because
// it starts a field code.
std::string ExecArgument(const std::string& arg) {
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string out;
  for (char c : quoted) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '%')
      out += "%%";
    else
      out += c;
  }
  return out;
}

}  // namespace

XdgHomes XdgHomes::FromEnvironment() {
  return {HomeOr("XDG_CONFIG_HOME", ".config"), HomeOr("XDG_DATA_HOME", ".local/share")};
}

FileAssociation::FileAssociation(XdgHomes homes, std::string programPath)
    : homes_(std::move(homes)), programPath_(std::move(programPath)) {}

std::string FileAssociation::DesktopEntry(const std::string& programPath) {
  for (char c : programPath)
    if (static_cast<unsigned char>(c) < 0x20)
      throw AssociationError("The program's path cannot be written to a desktop entry: " + programPath);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Quillpad\n"
         "GenericName=Text Editor\n"
         "GenericName[pl]=Edytor tekstu\n"
         "Comment=Edit web pages and scripts by hand\n"
         "Comment[pl]=Edycja stron WWW i skryptów\n"
         "Exec=" + ExecArgument(programPath) + " %f\n"
         "Icon=quillpad\n"
         "Terminal=false\n"
         "Categories=Utility;TextEditor;\n" +
         std::string(kMarker) + "\n";
}

bool FileAssociation::IsAssociated(const std::string& fileType) const {
  const auto mime = MimeTypeOf(fileType, "");
  const auto text = ReadFile(MimeAppsPath());
  return mime && text && MimeAppsList(*text).Has(*mime);
}

void FileAssociation::SetAssociation(const std::string& fileType, const std::string& ext, bool on) {
  const auto mime = MimeTypeOf(fileType, ext);
  if (!mime) return;
  const fs::path listPath = MimeAppsPath();
  const auto text = ReadFile(listPath);
  if (!text) throw AssociationError("Failed to read " + listPath.string());
  MimeAppsList list(*text);

  const fs::path desktop = DesktopFilePath();
  const auto desktopText = ReadFile(desktop);
  // A quillpad.desktop the user wrote is theirs: it is used as it is, never replaced or removed.
  const bool ours = desktopText && (desktopText->empty() || desktopText->find(kMarker) != std::string::npos);

  if (on) {
    // The entry first, so that the line never names a program that is not there.
    if (ours) ReplaceFile(desktop, DesktopEntry(programPath_));
    list.Add(*mime);
    if (list.Text() != *text) ReplaceFile(listPath, list.Text());
    return;
  }
  list.Remove(*mime);
  if (list.Text() != *text) {
    if (list.Text().empty())
      RemoveFile(WriteTarget(listPath));
    else
      ReplaceFile(listPath, list.Text());
  }
  bool anyLeft = false;
  for (const char* type : kAssociatedTypes) anyLeft = anyLeft || list.Has(type);
  if (ours && !desktopText->empty() && !anyLeft) RemoveFile(desktop);
}
