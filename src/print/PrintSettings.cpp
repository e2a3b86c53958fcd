#include "print/PrintSettings.h"

#include <algorithm>

#include "app/Utf8Conversion.h"
#include "print/Decimal.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kPrint = "Print";

void SetStyle(PrintFont& font, const SettingsStore& store, const std::string& prefix) {
  font.italic = store.ReadInteger(kPrint, prefix + "Italic", 0) != 0;
  font.bold = store.ReadInteger(kPrint, prefix + "Bold", 0) != 0;
  font.underline = store.ReadInteger(kPrint, prefix + "Underline", 0) != 0;
}

double Margin(const SettingsStore& store, const char* ident, const char* what) {
  const std::string text = store.ReadString(kPrint, ident, "25");
  if (const std::optional<double> value = ParseDecimal(text)) return *value;
  throw EPagePrinter("The " + std::string(what) + " margin \"" + text +
                     "\" is not a number; correct it in the print options.");
}

// Header and footer texts are stored as typed (UTF-8); pages are Windows-1250.
std::string PageText(const std::string& stored) { return LooksLikeUtf8(stored) ? Utf8ToWin(stored) : stored; }

std::uint8_t WithBorder(std::uint8_t borders, TPageBorder border, bool on) {
  return static_cast<std::uint8_t>(on ? (borders | border) : (borders & ~border));
}

}  // namespace

PrintSettingsDefaults PrintCommandDefaults() { return {}; }

PrintSettingsDefaults PreviewDefaults(const SettingsStore& printer) {
  PrintSettingsDefaults d;
  d.fontSize = printer.ReadInteger("Editor", "FontSize", 12);
  d.fontName = printer.ReadString("Editor", "FontName", "FixedSys");
  return d;
}

PrintSettingsDefaults PreviewRebuildDefaults(const SettingsStore& printer) {
  PrintSettingsDefaults d;
  d.headerFontSize = printer.ReadInteger("Editor", "FontSize", 12);
  d.footerText = "&cStrona-&p-";
  return d;
}

void ApplyPrintSettings(TPagePrinter& printer, const SettingsStore& store, const PrintSettingsDefaults& defaults) {
  PrintFont font = printer.Font();
  font.size = store.ReadInteger(kPrint, "FontSize", defaults.fontSize);
  printer.SetFont(font);
  font.name = store.ReadString(kPrint, "FontName", defaults.fontName);
  printer.SetFont(font);
  switch (store.ReadInteger(kPrint, "Spacing", 0)) {
    case 0: printer.SetLineSpacing(lsSingleSpace); break;
    case 1: printer.SetLineSpacing(lsSingleAndAHalf); break;
    case 2: printer.SetLineSpacing(lsDoubleSpace); break;
    default: break;
  }
  switch (store.ReadInteger(kPrint, "Meassureunits", 0)) {
    case 0: printer.SetMeasureUnit(muMillimeters); break;
    case 1: printer.SetMeasureUnit(muInches); break;
    default: break;
  }
  std::uint8_t borders = printer.PageBorders();
  borders = WithBorder(borders, pbLeft, store.ReadInteger(kPrint, "LeftBorder", 0) != 0);
  borders = WithBorder(borders, pbRight, store.ReadInteger(kPrint, "RightBorder", 0) != 0);
  borders = WithBorder(borders, pbTop, store.ReadInteger(kPrint, "TopBorder", 0) != 0);
  borders = WithBorder(borders, pbBottom, store.ReadInteger(kPrint, "BottomBorder", 0) != 0);
  printer.SetPageBorders(borders);
  // All four are read before any is set, so a bad one leaves the printer as it was.
  const double left = Margin(store, "LeftMargin", "left");
  const double right = Margin(store, "RightMargin", "right");
  const double top = Margin(store, "TopMargin", "top");
  const double bottom = Margin(store, "BottomMargin", "bottom");
  printer.SetMarginLeft(left);
  printer.SetMarginRight(right);
  printer.SetMarginTop(top);
  printer.SetMarginBottom(bottom);
  printer.SetWordWrap(store.ReadInteger(kPrint, "WordWrap", 0) != 0);

  PrintFont header = printer.HeaderFont();
  header.size = store.ReadInteger(kPrint, "headerFontSize", defaults.headerFontSize);
  header.name = store.ReadString(kPrint, "headerFontName", defaults.headerFontName);
  SetStyle(header, store, "Header");
  printer.SetHeaderFont(header);
  printer.SetFriendlyHeader(PageText(store.ReadString(kPrint, "HeaderText", defaults.headerText)));

  PrintFont footer = printer.FooterFont();
  footer.size = store.ReadInteger(kPrint, "FooterFontSize", defaults.footerFontSize);
  footer.name = store.ReadString(kPrint, "FooterFontName", defaults.footerFontName);
  SetStyle(footer, store, "Footer");
  printer.SetFooterFont(footer);
  printer.SetFriendlyFooter(PageText(store.ReadString(kPrint, "FooterText", defaults.footerText)));
}

std::string DocumentNamePart(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\:/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

void NameDocument(TPagePrinter& printer, const std::string& path) {
  // Paths are UTF-8; the name is printed as page text, which is Windows-1250.
  const std::string name = DocumentNamePart(path);
  printer.SetFileName(LooksLikeUtf8(name) ? Utf8ToWin(name) : name);
  printer.SetTitle("Quillpad - " + printer.FileName());
}

void BuildDocumentPages(TPagePrinter& printer, const std::string& text) {
  printer.BeginDoc();
  printer.Lines = SplitPrintLines(text);
  printer.WriteLines(false);
  printer.EndDoc();
}

bool PrintBuiltPages(TPagePrinter& printer, const std::function<bool(Dialogs::PrintRequest&)>& askPrintDialog) {
  Dialogs::PrintRequest request;
  request.fromPage = 1;
  request.toPage = printer.PageCount();
  request.maxPage = printer.PageCount();
  request.copies = 1;
  request.collate = printer.Collate();
  if (!askPrintDialog(request)) return false;
  // A range chosen for an earlier print of the same pages must not stick to this one.
  printer.SetFromPage(0);
  printer.SetToPage(0);
  if (!request.allPages) {
    printer.SetToPage(request.toPage);
    printer.SetFromPage(request.fromPage);
  }
  printer.SetCopies(static_cast<unsigned>(std::max(1, request.copies)));
  printer.SetCollate(request.collate);
  printer.Print();
  return true;
}
