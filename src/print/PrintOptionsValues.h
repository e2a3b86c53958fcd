#pragma once
#include <array>
#include <optional>
#include <string>

class SettingsStore;

// What the print options dialog edits, as its boxes hold it: sizes and margins as typed, list choices as
// indexes (-1 for none), font names as selected (empty for none).
struct PrintOptionsValues {
  struct Band {  // the header or the footer
    std::string fontSize = "12";
    std::string fontName = "FixedSys";
    bool italic = false, bold = false, underline = false;
    std::string text;
  };
  std::string fontSize = "12";
  std::string fontName = "FixedSys";
  int spacing = 0;
  int units = 0;
  // left, right, top, bottom
  std::array<bool, 4> borders{};
  std::array<std::string, 4> margins{"25", "25", "25", "25"};
  bool wordWrap = false;
  Band header{.text = "&c&f"};
  Band footer{.text = "&c strona-&p-"};
};

// The stored values with the dialog's defaults (the body font defaults to the "Editor" font name).
PrintOptionsValues ReadPrintOptions(const SettingsStore& printer);

// Which size box does not hold a whole number, checked before anything is written:
// 0 body, 1 header, 2 footer.
std::optional<int> InvalidSizeField(const PrintOptionsValues& values);

// Writes every value; the sizes must have passed InvalidSizeField.
void WritePrintOptions(SettingsStore& printer, const PrintOptionsValues& values);
