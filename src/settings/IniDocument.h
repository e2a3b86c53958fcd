#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of one settings file: "[section]" headers and "ident=value" lines.
//
// Section and ident names compare without regard to ASCII case; the first matching entry wins, even
// across repeated groups of one section. Every line is kept as it was read, so rewriting the file after a
// change alters only the changed line: comments, lines without "=", entries before the first header and
// anything unreadable survive byte for byte.
//
// Escaping. Names and values are written so that any byte string round-trips. A backslash starts an
// escape: "\\" backslash, "\r" CR, "\n" LF, "\0" NUL, "\t" TAB, "\s" a blank; a backslash before any other
// character stands for that character ("\=" in an ident, "\]" in a section name, "\[", "\;", "\#" at the
// start of an ident), and a backslash at the end of a line stands for itself. Blanks are escaped only at
// the start or end of a name or value, because unescaped blanks around names and values are trimmed on
// reading (so hand-edited "Ident = value" lines work). Other bytes, Windows-1250 letters included, are
// written as they are. Lines end in LF; a CR before the LF is ignored when reading.
class IniDocument {
public:
  static IniDocument Parse(std::string_view bytes);

  std::optional<std::string> Find(std::string_view section, std::string_view ident) const;
  // Replaces the first matching entry, or adds one at the end of the section's first group, or appends
  // a new group.
  void Set(std::string_view section, std::string_view ident, std::string_view value);
  std::string Serialize() const;

private:
  enum class Kind { Other, Header, BadHeader, Entry };
  struct Line {
    std::string raw;   // as read, without its LF
    Kind kind = Kind::Other;
    std::string name;  // section of a header, ident of an entry (unescaped)
    std::string value; // value of an entry (unescaped)
  };
  static Line ParseLine(std::string raw);

  std::vector<Line> lines_;
};
