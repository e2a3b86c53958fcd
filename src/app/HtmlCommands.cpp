#include "app/HtmlCommands.h"

#include "app/ColorToHtml.h"
#include "app/DocumentText.h"
#include "app/LangTable.h"
#include "app/TDocumentCommands.h"
#include "app/Win1250Unicode.h"
#include "editor/TQuillEditor.h"
#include "platform/Dialogs.h"
#include "platform/EditorHost.h"
#include "settings/SettingsStore.h"

const std::array<TFixedTagPair, 14> FixedTagPairs{{
    {"Pogrubiona1", "<b>", "</b>"},
    {"Kursywa1", "<i>", "</i>"},
    {"Podkrelona1", "<u>", "</u>"},
    {"Przekrelona1", "<strike>", "</strike>"},
    {"dolewej1", "<p align=left>", "</p>"},
    {"centruj1", "<center>", "</center>"},
    {"doprawej1", "<p align=right>", "</p>"},
    {"justuj1", "<p align=justify>", "</p>"},
    {"H11", "<h1>", "</h1>"},
    {"H21", "<h2>", "</h2>"},
    {"H31", "<h3>", "</h3>"},
    {"H41", "<h4>", "</h4>"},
    {"H51", "<h5>", "</h5>"},
    {"H61", "<h6>", "</h6>"},
}};

const std::array<THtmlColorName, 16> HtmlColorNames{{
    {"Black", 0x000000}, {"White", 0xFFFFFF},  {"Maroon", 0x000080}, {"Green", 0x008000},
    {"Olive", 0x008080}, {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},
    {"Gray", 0x808080},  {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF}, {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},
}};

std::string ColorText(TColor color) {
  if (color == NoColor) return {};
  for (const THtmlColorName& c : HtmlColorNames)
    if (c.color == color) return std::string(c.name);
  return "#" + ColorToHtml(color);
}

const std::vector<std::string>& HtmlTagItems() {
  static const std::vector<std::string> items = [] {
    // Tag names in the box's alphabetical order; "=" marks a tag written alone, "!" an item taken as
    // written.
    static constexpr std::string_view kNames[] = {
        "!<!--|-->", "!<!doctype>", "!<a href=\"\">|</a>", "abbrev", "acronym", "address", "applet", "=area",
        "au", "b", "banner", "=base", "=basefont", "=bgsound", "big", "blink", "blockquote", "body", "bq", "=br",
        "caption", "center", "cite", "code", "col", "colgroup", "comment", "=dd", "del", "dfn", "dir", "div",
        "dl", "=dt", "em", "=embed", "fig", "fn", "font", "form", "frame", "frameset", "h1", "h2", "h3", "h4",
        "h5", "h6", "head", "=hr", "html", "i", "iframe", "=img", "!<img src=\"|\">", "!<input type=>|</input>",
        "ins", "=isindex", "kbd", "=li", "=link", "listing", "map", "marquee", "menu", "=meta", "multicol",
        "=nextid", "nobr", "noframes", "noscript", "note", "object", "ol", "=option", "=overlay", "p", "param",
        "person", "plaintext", "pre", "=range", "s", "samp", "script", "select", "small", "=spacer", "span",
        "=spot", "strike", "strong", "style", "sub", "sup", "=tab", "table", "tbody", "td", "textarea",
        "tfoot", "th", "thead", "title", "tr", "tt", "u", "ul", "var", "wbr", "xmp"};
    std::vector<std::string> out;
    for (std::string_view n : kNames) {
      if (n.front() == '!')
        out.emplace_back(n.substr(1));
      else if (n.front() == '=')
        out.push_back("<" + std::string(n.substr(1)) + ">");
      else
        out.push_back("<" + std::string(n) + ">|</" + std::string(n) + ">");
    }
    return out;
  }();
  return items;
}

std::string HtmlTemplateBefore() {
  // "S\xB3owa": the template is Windows-1250 text like everything the editor holds.
  static constexpr std::string_view kLines[] = {
      "<!doctype html public \"-//W3C//DTD HTML 3.2 Final//EN\">",
      "<html>",
      "<head>",
      " <meta http-equiv=\"KeyWords\" content=\"[S\xB3owa kluczowe, Keywords]\">",
      " <meta name=\"Author\" content=\"[Autor, Author]\">",
      " <meta name=\"Language\" content=\"PL\">",
      " <meta http-equiv=\"Content-Type\" content=\"text/html;CHARSET=ISO-8859-2\">",
      "",  // the Generator line
      "",
      " <title>no title</title>",
      "</head>",
      "<body>"};
  std::string out;
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    if (i == 7)
      out += " <meta http-equiv=\"Generator\" content=\"" + std::string(GeneratorString) + "\">";
    else
      out += kLines[i];
    out += "\r\n";
  }
  return out;
}

void InsertTagPair(TQuillEditor& editor, std::string_view text) {
  const std::size_t bar = text.find('|');
  if (bar == std::string_view::npos)
    editor.WrapSelection(std::string(text), std::string());
  else
    editor.WrapSelection(std::string(text.substr(0, bar)), std::string(text.substr(bar + 1)));
  if (EditorHost* host = editor.Host()) host->SetFocus();
}

void InsertFontColor(TQuillEditor& editor, std::string_view name) {
  editor.WrapSelection("<font color=\"" + std::string(name) + "\">", "</font>");
}

void InsertColor(TQuillEditor& editor, Dialogs& dialogs) {
  if (const std::optional<TColor> chosen = dialogs.ChooseColor(quill_colors::Black))
    editor.SetSelText(ColorText(*chosen));
}

void InsertChosenFontColor(TQuillEditor& editor, Dialogs& dialogs) {
  if (const std::optional<TColor> chosen = dialogs.ChooseColor(quill_colors::Black))
    InsertFontColor(editor, ColorText(*chosen));
}

void QuickInsertTag(TQuillEditor& editor, Dialogs& dialogs, SettingsStore& settings) {
  const int language = InterfaceLanguage();
  const std::optional<std::string> entered =
      dialogs.Prompt(LangText(76, language), LangText(77, language), settings.ReadString("HTMLTags", "QuickInsert", ""));
  if (!entered || entered->empty()) return;
  settings.WriteString("HTMLTags", "QuickInsert", *entered);
  InsertTagPair(editor, Utf8ToWin1250(*entered, '?'));
}

bool NewHtmlDocument(TQuillEditor& editor, TDocumentCommands& documents) {
  // The plain new document does the question, the empty text, the name and the caption.
  if (!documents.NewDocument()) return false;
  editor.WrapSelection(HtmlTemplateBefore(), std::string(HtmlTemplateAfter));
  editor.SetModified(false);
  editor.SetPlainText(false);
  editor.SetColorStyle(TColorStyle{csHTML});
  return true;
}
