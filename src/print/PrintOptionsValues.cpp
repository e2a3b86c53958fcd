#include "print/PrintOptionsValues.h"

#include "settings/SettingsStore.h"

namespace {

constexpr const char* kPrint = "Print";
const char* const kBorders[] = {"LeftBorder", "RightBorder", "TopBorder", "BottomBorder"};
const char* const kMargins[] = {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"};

// A whole number as typed: an optional sign and decimal digits, surrounding blanks allowed.
std::optional<int> WholeNumber(std::string text) {
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty() || text.front() == '$') return std::nullopt;
  if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return std::nullopt;
  return ParseSettingsInteger(text);
}

void ReadBand(const SettingsStore& s, const std::string& prefix, const std::string& sizeIdent,
              PrintOptionsValues::Band& band, const std::string& defaultText) {
  band.fontSize = std::to_string(s.ReadInteger(kPrint, sizeIdent, 12));
  band.fontName = s.ReadString(kPrint, prefix + "FontName", "FixedSys");
  band.italic = s.ReadInteger(kPrint, prefix + "Italic", 0) != 0;
  band.bold = s.ReadInteger(kPrint, prefix + "Bold", 0) != 0;
  band.underline = s.ReadInteger(kPrint, prefix + "Underline", 0) != 0;
  band.text = s.ReadString(kPrint, prefix + "Text", defaultText);
}

void WriteBand(SettingsStore& s, const std::string& prefix, const PrintOptionsValues::Band& band) {
  s.WriteInteger(kPrint, prefix + "FontSize", *WholeNumber(band.fontSize));
  s.WriteString(kPrint, prefix + "FontName", band.fontName);
  s.WriteInteger(kPrint, prefix + "Italic", band.italic ? 1 : 0);
  s.WriteInteger(kPrint, prefix + "Bold", band.bold ? 1 : 0);
  s.WriteInteger(kPrint, prefix + "Underline", band.underline ? 1 : 0);
  s.WriteString(kPrint, prefix + "Text", band.text);
}

}  // namespace

PrintOptionsValues ReadPrintOptions(const SettingsStore& s) {
  PrintOptionsValues v;
  v.fontSize = std::to_string(s.ReadInteger(kPrint, "FontSize", 12));
  v.fontName = s.ReadString(kPrint, "FontName", s.ReadString("Editor", "FontName", "FixedSys"));
  v.spacing = s.ReadInteger(kPrint, "Spacing", 0);
  v.units = s.ReadInteger(kPrint, "Meassureunits", 0);
  for (int i = 0; i < 4; ++i) {
    v.borders[static_cast<std::size_t>(i)] = s.ReadInteger(kPrint, kBorders[i], 0) != 0;
    v.margins[static_cast<std::size_t>(i)] = s.ReadString(kPrint, kMargins[i], "25");
  }
  v.wordWrap = s.ReadInteger(kPrint, "WordWrap", 0) != 0;
  ReadBand(s, "Header", "HeaderFontSize", v.header, "&c&f");
  ReadBand(s, "Footer", "FooterFontSize", v.footer, "&c strona-&p-");
  return v;
}

std::optional<int> InvalidSizeField(const PrintOptionsValues& v) {
  if (!WholeNumber(v.fontSize)) return 0;
  if (!WholeNumber(v.header.fontSize)) return 1;
  if (!WholeNumber(v.footer.fontSize)) return 2;
  return std::nullopt;
}

void WritePrintOptions(SettingsStore& s, const PrintOptionsValues& v) {
  if (InvalidSizeField(v)) return;
  s.WriteInteger(kPrint, "FontSize", *WholeNumber(v.fontSize));
  s.WriteString(kPrint, "FontName", v.fontName);
  s.WriteInteger(kPrint, "Spacing", v.spacing);
  s.WriteInteger(kPrint, "Meassureunits", v.units);
  for (int i = 0; i < 4; ++i) s.WriteInteger(kPrint, kBorders[i], v.borders[static_cast<std::size_t>(i)] ? 1 : 0);
  for (int i = 0; i < 4; ++i) s.WriteString(kPrint, kMargins[i], v.margins[static_cast<std::size_t>(i)]);
  s.WriteInteger(kPrint, "WordWrap", v.wordWrap ? 1 : 0);
  WriteBand(s, "Header", v.header);
  WriteBand(s, "Footer", v.footer);
}
