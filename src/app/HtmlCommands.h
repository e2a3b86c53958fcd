#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"

class Dialogs;
class SettingsStore;
class TDocumentCommands;
class TQuillEditor;

// The commands that write HTML for the user: tag pairs around the selection, font colours, the tag
// box and prompt, and the new document from the template. Text handed to the editor is Windows-1250;
// texts from the dialogs and the settings are UTF-8 and are converted on the way in.

// A tag pair of the HTML menu, its tool bar and the selection popup, by the item's stored name.
struct TFixedTagPair {
  std::string_view item;
  std::string_view before;
  std::string_view after;
};
extern const std::array<TFixedTagPair, 14> FixedTagPairs;

// The sixteen colours of the colour bar, in bar order, with the names HTML knows them by.
struct THtmlColorName {
  std::string_view name;
  TColor color;
};
extern const std::array<THtmlColorName, 16> HtmlColorNames;

// "No colour" (-1 as a colour value).
inline constexpr TColor NoColor = 0xFFFFFFFFu;

// The colour as HTML writes it: its name when it is one of the sixteen, else "#RRGGBB"; empty for
// NoColor.
std::string ColorText(TColor color);

// The items of the tag box, in their order: "<open>|<close>" for a pair, "<open>" for a lone tag.
const std::vector<std::string>& HtmlTagItems();

// The new HTML document: the text before the caret, which ends on the empty line of the body, and
// the text after it.
std::string HtmlTemplateBefore();
inline constexpr std::string_view HtmlTemplateAfter = "\r\n</body>\r\n</html>";

// The text up to the first "|" goes before the selection, the rest after it; without "|" the whole
// text goes before. The editor gets the focus afterwards.
void InsertTagPair(TQuillEditor& editor, std::string_view text);
// <font color="name"> ... </font> around the selection.
void InsertFontColor(TQuillEditor& editor, std::string_view name);
// "Wstaw kolor...": the chosen colour's text replaces the selection.
void InsertColor(TQuillEditor& editor, Dialogs& dialogs);
// The colour bar's "X": a font colour from the colour dialog.
void InsertChosenFontColor(TQuillEditor& editor, Dialogs& dialogs);
// "Wstaw znacznik...": asks for a tag pair, starting from the one entered last ("HTMLTags"/"QuickInsert").
void QuickInsertTag(TQuillEditor& editor, Dialogs& dialogs, SettingsStore& settings);
// "dokument HTML": when the current document may go, a new unnamed HTML document from the template
// with the caret in its body. False when the user kept the old document.
bool NewHtmlDocument(TQuillEditor& editor, TDocumentCommands& documents);
