#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"

// The main window's rules that need no toolkit: the command line, the text-file test, the Esc action,
// the title texts, the highlighter radio item, and where the help pages are looked for.

// The main window's caption when no document has a name, and the first piece of every caption.
inline constexpr const char* AppCaption = "Norvale Quillpad 1.0.16";
// Put before the document's file name to form the application title.
inline constexpr const char* AppTitlePrefix = "Quillpad - ";
// The application title before any window exists.
inline constexpr const char* AppStartTitle = "Quillpad";
// The maker's mail address shown in the About box (the web address is language text 226).
inline constexpr const char* MakerMailAddress = "quillpad@norvale.example";

// A path with blanks that the shell split into several arguments is put back together: every argument
// preceded by one blank, then the blanks at both ends trimmed.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// Whether a file may be opened as text: a name that does not exist passes (opening it gives an empty
// document); otherwise none of the first 512 bytes may be a control byte 1-7, 11, 12 or 14-26.
// A folder never passes; a pipe or a device passes unread (opening it then says what it is).
bool PassesTextFileTest(const std::string& path);

// What Esc in the editor does, from "Editor"/"ESC Key".
enum class EscAction { None, Exit, Minimize };
EscAction EscActionFor(int escKeySetting);

// "Norvale Quillpad 1.0.16 - <file> (<code page>)".
std::string DocumentCaption(const std::string& fileName, const std::string& codePage);
// What the user is told when the desktop has no program for a help page, a web address or a document.
std::string OpenFailedMessage(const std::string& target, int language);
// AppTitlePrefix + the file name without its folder; nothing when that name is empty (the title then
// stays as it was).
std::optional<std::string> ApplicationTitleFor(const std::string& fileName);

// The items of the highlighter radio group, in menu order.
enum class HighlighterItem { Html, Perl, Php, Pascal, Cpp, Css, None };
// The item that ends up checked when the editor reports a new colour set: the items are checked in
// menu order for each member present, and "none" last when plain text is on; the last check wins.
// Nothing when no item applies (the check then stays where it was).
std::optional<HighlighterItem> HighlighterItemFor(TColorStyle style, bool plainText);

// The places the help page is looked for, best first: beside the program ("quillpad.html"), in its
// "Help" (or "help") folder, then in each data folder ("<dir>/help/index.html").
std::vector<std::string> HelpFileCandidates(const std::string& programDir, const std::vector<std::string>& dataDirs);
// The first candidate that is an existing regular file.
std::optional<std::string> FindHelpFile(const std::vector<std::string>& candidates);
