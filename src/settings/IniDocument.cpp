#include "settings/IniDocument.h"

#include <utility>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsBlankLine(std::string_view s) {
  for (char c : s)
    if (!IsBlank(c) && c != '\r') return false;
  return true;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// Trims blanks. The writer escapes blanks at the ends as "\s", so only hand-written blanks are trimmed; a
// hand-written "\ " at the end of a value becomes a lone backslash, which then stands for itself.
std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    switch (c) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '0': out += '\0'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      default: out += c; break;
    }
  }
  return out;
}

enum class Role { Section, Ident, Value };

std::string Escape(std::string_view s, Role role) {
  std::string out;
  out.reserve(s.size() + 8);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const bool edge = i == 0 || i + 1 == s.size();
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      case '\0': out += "\\0"; continue;
      case '\t': out += "\\t"; continue;
      case ' ':
        out += edge ? "\\s" : " ";
        continue;
      default: break;
    }
    const bool special = (role == Role::Section && c == ']') || (role == Role::Ident && c == '=') ||
                         (role == Role::Ident && i == 0 && (c == '[' || c == ';' || c == '#'));
    if (special) out += '\\';
    out += c;
  }
  return out;
}

// Position of the first c that is not part of an escape, or npos.
std::size_t FindUnescaped(std::string_view s, char c, std::size_t from = 0) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (s[i] == '\\') {
      ++i;
      continue;
    }
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

}  // namespace

IniDocument::Line IniDocument::ParseLine(std::string raw) {
  Line line;
  std::string_view text(raw);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const std::string_view t = Trim(text);

  if (!t.empty() && t[0] == '[') {
    // A line that looks like a header but is not a sound one starts a group nobody can read, so that its
    // entries are not taken for those of the group above it.
    line.kind = Kind::BadHeader;
    const std::size_t close = FindUnescaped(t, ']', 1);
    if (close != std::string_view::npos && close + 1 == t.size()) {
      line.kind = Kind::Header;
      line.name = Unescape(t.substr(1, close - 1));
    }
  } else if (!t.empty() && (t[0] == ';' || t[0] == '#')) {
    line.kind = Kind::Other;
  } else if (const std::size_t eq = FindUnescaped(t, '='); eq != std::string_view::npos) {
    line.kind = Kind::Entry;
    line.name = Unescape(Trim(t.substr(0, eq)));
    line.value = Unescape(Trim(t.substr(eq + 1)));
  }
  line.raw = std::move(raw);
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    doc.lines_.push_back(ParseLine(std::string(bytes.substr(start, end - start))));
    start = end + 1;
  }
  return doc;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view ident) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Header || line.kind == Kind::BadHeader)
      inSection = line.kind == Kind::Header && SameName(line.name, section);
    else if (inSection && line.kind == Kind::Entry && SameName(line.name, ident))
      return line.value;
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view ident, std::string_view value) {
  bool inSection = false;
  bool inFirstGroup = false;
  bool groupSeen = false;
  std::size_t firstGroupEnd = 0;  // where a new entry of the section's first group goes
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    Line& line = lines_[i];
    if (line.kind == Kind::Header || line.kind == Kind::BadHeader) {
      inSection = line.kind == Kind::Header && SameName(line.name, section);
      inFirstGroup = inSection && !groupSeen;
      if (inFirstGroup) {
        groupSeen = true;
        firstGroupEnd = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (line.kind == Kind::Entry && SameName(line.name, ident)) {
      // Keep the spelling of the name as the file has it, like a registry value keeps its name.
      line = ParseLine(Escape(line.name, Role::Ident) + "=" + Escape(value, Role::Value));
      return;
    }
    // The group grows after its last non-blank line, so blank separators stay before the next group.
    if (inFirstGroup && !IsBlankLine(line.raw)) firstGroupEnd = i + 1;
  }
  Line entry = ParseLine(Escape(ident, Role::Ident) + "=" + Escape(value, Role::Value));
  if (groupSeen) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(firstGroupEnd), std::move(entry));
    return;
  }
  if (!lines_.empty() && !IsBlankLine(lines_.back().raw)) lines_.push_back(ParseLine(""));
  std::string header = "[";
  header += Escape(section, Role::Section);
  header += ']';
  lines_.push_back(ParseLine(header));
  lines_.push_back(std::move(entry));
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.raw.size() + 1;
  std::string out;
  out.reserve(size);
  for (const Line& line : lines_) {
    out += line.raw;
    out += '\n';
  }
  return out;
}
