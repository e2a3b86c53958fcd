#pragma once
#include <functional>
#include <string>

#include "platform/Dialogs.h"
#include "print/TPagePrinter.h"

class SettingsStore;

// The defaults with which the printer settings of section "Print" are read. The print command, the
// preview and the preview's rebuild after the options each pass their own.
struct PrintSettingsDefaults {
  int fontSize = 12;
  std::string fontName = "FixedSys";
  int headerFontSize = 12;
  std::string headerFontName = "fixedsys";
  std::string headerText = "&c&f";
  int footerFontSize = 12;
  std::string footerFontName = "fixedsys";
  std::string footerText = "&cStrona -&p-";
};

// The print command's defaults.
PrintSettingsDefaults PrintCommandDefaults();
// The preview's when it opens: the body font falls back to the printer key's "Editor" font.
PrintSettingsDefaults PreviewDefaults(const SettingsStore& printer);
// The preview's when it rebuilds after the options were confirmed.
PrintSettingsDefaults PreviewRebuildDefaults(const SettingsStore& printer);

// Applies section "Print" of the printer key to the page printer in the order that matters: the unit
// converts margins already set, every body font change is copied to the header and footer fonts, and
// the header and footer column widths follow the margins in force. A margin that is not a number raises
// EPagePrinter naming the margin; nothing is printed then.
void ApplyPrintSettings(TPagePrinter& printer, const SettingsStore& store, const PrintSettingsDefaults& defaults);

// FileName is the name part of the document's path, Title "Quillpad - " and that name, both as
// Windows-1250 page text.
void NameDocument(TPagePrinter& printer, const std::string& path);

// Lays the document's text out into pages (one page with header and footer for an empty text).
void BuildDocumentPages(TPagePrinter& printer, const std::string& text);

// After the pages are built: asks the print dialog for range, copies and collation, then prints.
// False when the dialog was cancelled.
bool PrintBuiltPages(TPagePrinter& printer, const std::function<bool(Dialogs::PrintRequest&)>& askPrintDialog);

// The name part of a document's path, after the last folder separator.
std::string DocumentNamePart(const std::string& path);
