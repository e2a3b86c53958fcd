#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TQuillEditor;

// Prefixing and numbering the lines of the selection ("Konwertuj" submenu).

enum class TNumbering { Arabic, SmallLetters, CapitalLetters };

// The number of a line as it is written: 1, 2, 3...; a, b, c...; A, B, C.... After the 26th letter
// the letters go on as columns are counted: z, aa, ab... az, ba...
std::string NumberLabel(int n, TNumbering style);

// Every line of text (lines split at CR LF) with the prefix before it; the lines keep their breaks and
// no break is added after the last one.
std::string PrefixedLines(std::string_view text, std::string_view prefix);
// Every line with its number, a dot and a blank before it, counting from `first`.
std::string NumberedLines(std::string_view text, TNumbering style, int first);

struct TNumberingChoice {
  TNumbering style = TNumbering::Arabic;
  int first = 1;  // 1 to 65000
};

// The two commands: the touched lines are selected, the question is asked (nothing means cancelled),
// and the lines are rewritten as one undo step, the caret after them. Nothing happens when the selection
// touches no characters, or in a read-only editor.
void PrefixLines(TQuillEditor& editor, const std::function<std::optional<std::string>()>& askPrefix);
void NumberLines(TQuillEditor& editor, const std::function<std::optional<TNumberingChoice>()>& askNumbering);
