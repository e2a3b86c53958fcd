#pragma once
#include <optional>
#include <string>
#include <string_view>

class Dialogs;
class TQuillEditor;

// Editing commands that rewrite the selected lines or text, the jump to a line, and the link under
// the caret. Offsets count a hard line break as two characters, as everywhere in the editor. A
// read-only editor is left as it is, and every change is one undo step.

// The lines the selection touches, as the offsets [start, end): start is the first character of the
// selection's first document line, end the line end (before its CR LF) of the last one. A selection
// that ends at the very start of a line does not touch that line.
struct TLineRange {
  int start = 0;
  int end = 0;
  bool operator==(const TLineRange&) const = default;
};
TLineRange SelectedLineRange(const TQuillEditor& editor);

// One blank more at the start of every touched line; the lines stay selected. A caret on an empty
// line still gets its blank.
void IndentLines(TQuillEditor& editor);
// One blank less at the start of every touched line that has one; the lines stay selected.
void OutdentLines(TQuillEditor& editor);

// The selection in lower or upper case, Polish letters included; nothing without a selection.
void LowerCaseSelection(TQuillEditor& editor);
void UpperCaseSelection(TQuillEditor& editor);

// "Data / Godzina": the date and time text (already formatted the user's way, Windows-1250) goes before
// the selection, or at the caret, which ends after it.
void InsertDateTime(TQuillEditor& editor, const std::string& dateTime);

// A whole decimal number with an optional sign (blanks around it allowed); nothing for anything else,
// including a number too large for an int.
std::optional<int> ParseLineNumber(std::string_view text);
// Moves the caret to column 1 of stored line `line` (0-based), scrolling it to the top of the window
// unless it shows already; a line past the end moves nothing, a line below 0 counts as 0.
void GotoLine(TQuillEditor& editor, int line);
// "Skocz do linii...": asks for a line number (1-based) and goes there.
void GotoLineCommand(TQuillEditor& editor, Dialogs& dialogs);

// The tag around offset `caret`: from the nearest "<" before the caret (with no ">" between) to the
// nearest ">" from the character before the caret on. Nothing when the caret is not inside a tag.
std::optional<std::string> TagAt(std::string_view text, int caret);
// Where a link of a tag leads: its "href", else its "src", turned into a local path (UTF-8). A relative
// link is taken from the folder of the document (a document without a name: as it is written).
// Empty when the tag has no link.
std::string LinkPath(std::string_view tag, const std::string& documentFileName);
// The file the link under the caret names, when it is an existing file that passes the text-file test.
std::optional<std::string> LinkUnderCaret(const TQuillEditor& editor);
