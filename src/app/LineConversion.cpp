#include "app/LineConversion.h"

#include <algorithm>

#include "app/TextCommands.h"
#include "editor/TQuillEditor.h"

std::string NumberLabel(int n, TNumbering style) {
  if (style == TNumbering::Arabic) return std::to_string(n);
  // Letters past the 26th would leave the alphabet for signs, and past the code page's end for control
  // bytes that break lines; they go on in two, three... letters instead.
  const char a = style == TNumbering::SmallLetters ? 'a' : 'A';
  if (n < 1) return std::to_string(n);
  std::string out;
  for (; n > 0; n = (n - 1) / 26) out.insert(out.begin(), static_cast<char>(a + (n - 1) % 26));
  return out;
}

namespace {

// Rewrites every line of text (split at CR LF) with what `head` puts before line k (0-based).
template <typename Head>
std::string EachLine(std::string_view text, Head head) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 8);
  int k = 0;
  std::size_t from = 0;
  while (true) {
    const std::size_t br = text.find("\r\n", from);
    out += head(k++);
    if (br == std::string_view::npos) {
      out += text.substr(from);
      return out;
    }
    out += text.substr(from, br + 2 - from);
    from = br + 2;
  }
}

void ConvertLines(TQuillEditor& editor, const std::function<std::optional<std::string>(const std::string&)>& convert) {
  if (editor.Readonly()) return;
  const TLineRange range = SelectedLineRange(editor);
  if (range.start == range.end) return;
  editor.BeginUpdate();
  // The lines are shown selected while the question is asked.
  editor.SetSelStart(range.start);
  editor.SetSelLength(range.end - range.start);
  editor.EndUpdate();
  editor.Paint();
  const std::string old = editor.SelText();
  if (const std::optional<std::string> result = convert(old); result && *result != old) editor.SetSelText(*result);
}

}  // namespace

std::string PrefixedLines(std::string_view text, std::string_view prefix) {
  return EachLine(text, [prefix](int) { return std::string(prefix); });
}

std::string NumberedLines(std::string_view text, TNumbering style, int first) {
  return EachLine(text, [style, first](int k) { return NumberLabel(first + k, style) + ". "; });
}

void PrefixLines(TQuillEditor& editor, const std::function<std::optional<std::string>()>& askPrefix) {
  ConvertLines(editor, [&askPrefix](const std::string& lines) -> std::optional<std::string> {
    const std::optional<std::string> prefix = askPrefix();
    if (!prefix) return std::nullopt;
    return PrefixedLines(lines, *prefix);
  });
}

void NumberLines(TQuillEditor& editor, const std::function<std::optional<TNumberingChoice>()>& askNumbering) {
  ConvertLines(editor, [&askNumbering](const std::string& lines) -> std::optional<std::string> {
    const std::optional<TNumberingChoice> choice = askNumbering();
    if (!choice) return std::nullopt;
    return NumberedLines(lines, choice->style, std::clamp(choice->first, 1, 65000));
  });
}
