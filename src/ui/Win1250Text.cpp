#include "ui/Win1250Text.h"

#include <unordered_map>

#include "app/Win1250Unicode.h"

namespace {

// Unicode back to Windows-1250, built once from the program's table.
const std::unordered_map<char16_t, char>& ReverseTable() {
  static const std::unordered_map<char16_t, char> table = [] {
    std::unordered_map<char16_t, char> t;
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      t.emplace(static_cast<char16_t>(Win1250ToUnicode(c)), c);
    }
    return t;
  }();
  return table;
}

}  // namespace

QChar Win1250ToQChar(char byte) { return QChar(static_cast<char16_t>(Win1250ToUnicode(byte))); }

QString FromWin1250(std::string_view bytes) {
  QString result(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = result.data();
  for (char c : bytes) *out++ = Win1250ToQChar(c);
  return result;
}

std::string ToWin1250(const QString& text) {
  const auto& reverse = ReverseTable();
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (QChar ch : text) {
    const auto it = reverse.find(ch.unicode());
    if (it != reverse.end()) result.push_back(it->second);
  }
  return result;
}

QString FromMarked(std::string_view bytes, std::u32string_view marks) {
  const std::u32string unicode = MarkedToUnicode(bytes, marks);
  return QString::fromUcs4(unicode.data(), static_cast<qsizetype>(unicode.size()));
}

std::string ToMarked(const QString& text, std::u32string& marks) {
  const QList<uint> ucs4 = text.toUcs4();
  const std::u32string unicode(ucs4.begin(), ucs4.end());
  return UnicodeToMarked(unicode, marks);
}
